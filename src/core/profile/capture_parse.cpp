#include "core/profile/capture_parse.h"

#include <algorithm>
#include <charconv>
#include <utility>

#include "core/shared/game_database.h"
#include "core/user_interface.h"
#include "platform/mapped_file.h"

namespace kw {

namespace {

// How long a parse reads between two looks at the clock, and between two releases of the
// capture bytes already parsed.
constexpr std::size_t kProgressStride = 64 * 1024;
constexpr std::size_t kReleaseStride = 1024 * 1024;

}  // namespace

std::int64_t DecimalValue(std::string_view text) {
  if (!text.empty() && text.front() == '+') {
    text.remove_prefix(1);
    if (text.empty() || text.front() < '0' || text.front() > '9') return 0;
  }
  std::int64_t value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size()) return 0;
  return value;
}

void ListinfoLog::Add(ListinfoError kind, std::string_view text, std::string_view found) {
  const bool limited = kind <= ListinfoError::kTagNotAllowed;
  if (limited && closed_) return;
  text = text.substr(0, kTextWidth);
  std::string key(1, static_cast<char>(kind));
  key += text;
  if (!logged_.insert(std::move(key)).second) return;
  if (limited) {
    if (limited_entries_ == kListinfoLogLimit) {
      entries_.push_back({ListinfoError::kTooManyErrors, {}, {}});
      closed_ = true;
      return;
    }
    ++limited_entries_;
  }
  entries_.push_back({kind, std::string(text), CutTo(found, kTextWidth)});
}

ParsePace::ParsePace(UserInterface* ui, platform::MappedFile* file, std::size_t size,
                     std::size_t offset)
    : file_(file),
      size_(size),
      next_progress_(kProgressStride),
      next_release_(kReleaseStride),
      offset_(offset) {
  if (ui) throttle_.emplace(*ui);
}

void ParsePace::Step(std::size_t position) {
  if (position >= next_progress_) {
    next_progress_ = position + kProgressStride;
    if (throttle_)
      throttle_->Tick(static_cast<int>(
          std::min(1.0, static_cast<double>(position) / static_cast<double>(size_)) * 100.0));
  }
  if (position >= next_release_) {
    next_release_ = position + kReleaseStride;
    if (file_) file_->Release(offset_ + released_, offset_ + position);
    released_ = position;
  }
}

Result<std::vector<ListinfoLogEntry>> ParseMappedFile(std::string_view path, GameDatabase& db,
                                                      const MappedParse& parse) {
  Result<platform::MappedFile> file = platform::MappedFile::Open(path);
  if (!file) {
    db.ClearDatabase();
    return Failure(file.Message());
  }
  return parse(file->Bytes(), *file);
}

void BeginCaptureParse(GameDatabase& db, UserInterface& ui, const char* operation) {
  db.ClearDatabase();
  ui.SetOperation(operation);
  ui.SetProgress(0);
  ui.ShowProgress();
  ui.ProcessMessages();
}

void EndCaptureParse(UserInterface& ui) {
  ui.SetProgress(-1);
  ui.ProcessMessages();
  ui.HideProgress();
  ui.SetBusy(false);
}

bool OfferParsedProfile(const GameDatabase& db, UserInterface& ui, ReportDocument& report,
                        const ListinfoContext& context, const std::vector<ListinfoLogEntry>& log,
                        const char* refused) {
  if (log.empty()) {
    ui.Ask(ListinfoSuccessMessage(db), MsgIcon::Information);
    return true;
  }
  FillListinfoReport(report, log, context);
  if (refused && LogRefusesProfile(log)) {
    ui.ShowReport(report);
    ui.Ask(refused, MsgIcon::Error);
    return false;
  }
  ui.Ask(ListinfoErrorMessage(context.ProductName), MsgIcon::Error);
  ui.ShowReport(report);
  return ui.Ask(kListinfoUseAnywayQuestion, MsgIcon::Warning, MsgButtons::YesNo) == MsgAnswer::Yes;
}

}  // namespace kw
