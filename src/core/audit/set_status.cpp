#include "core/audit/set_status.h"

#include <algorithm>
#include <charconv>

#include "common/ascii.h"
#include "core/hex_value.h"
#include "core/local_time.h"
#include "core/shared/crc32.h"
#include "platform/fs.h"

namespace kw {

namespace fs = platform::fs;

namespace {

constexpr std::string_view kHeading =
    "; The verdict of each set at its last check: NAME VERDICT SECONDS-SINCE-1970\n";
// Set names of either emulator are short; a longer word is no set name.
constexpr std::size_t kLongestName = 64;

constexpr AuditVerdict kKeptVerdicts[] = {AuditVerdict::kGood, AuditVerdict::kBest,
                                          AuditVerdict::kBad, AuditVerdict::kNotFound};

bool ReadVerdict(std::string_view word, AuditVerdict& verdict) {
  for (AuditVerdict kept : kKeptVerdicts) {
    if (word == AuditWord(kept)) {
      verdict = kept;
      return true;
    }
  }
  return false;
}

// The next word of `line` from `at`, spaces skipped.
std::string_view NextWord(std::string_view line, std::size_t& at) {
  while (at < line.size() && line[at] == ' ')
    ++at;
  const std::size_t start = at;
  while (at < line.size() && line[at] != ' ')
    ++at;
  return line.substr(start, at - start);
}

}  // namespace

std::string SetStatusPath(const std::string& program_dir, const std::string& profile_path) {
  const std::string upper = AsciiUpperCase(profile_path);
  const std::uint32_t crc = ~CRC32Update(0xFFFFFFFFu, upper.data(), upper.size());
  return program_dir + AsciiUpperCase(fs::ChangeFileExt(fs::ExtractFileName(profile_path), "")) +
         "-" + Hex8(crc) + ".STS";
}

Status SetStatusBook::Load(const std::string& path) {
  sets_.clear();
  skipped_ = 0;
  if (!fs::Exists(path)) return Success();
  Result<std::string> text = fs::ReadFile(path);
  if (!text) return Failure(path + ": " + text.Message());
  std::string_view rest = *text;
  while (!rest.empty()) {
    const std::size_t end = std::min(rest.find('\n'), rest.size());
    std::string_view line = rest.substr(0, end);
    rest.remove_prefix(std::min(end + 1, rest.size()));
    if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
    if (line.empty() || line.front() == ';') continue;
    std::size_t at = 0;
    const std::string_view name = NextWord(line, at);
    const std::string_view word = NextWord(line, at);
    const std::string_view seconds = NextWord(line, at);
    AuditVerdict verdict{};
    std::int64_t checked = 0;
    const auto [end_of_number, error] =
        std::from_chars(seconds.data(), seconds.data() + seconds.size(), checked);
    if (name.empty() || name.size() > kLongestName || name.front() == ';' ||
        !ReadVerdict(word, verdict) || error != std::errc() ||
        end_of_number != seconds.data() + seconds.size() || seconds.empty() ||
        !NextWord(line, at).empty()) {
      ++skipped_;
      continue;
    }
    Record(name, verdict, checked);
  }
  return Success();
}

Status SetStatusBook::Save(const std::string& path) const {
  std::vector<const std::pair<const std::string, SetStatus>*> sorted;
  sorted.reserve(sets_.size());
  for (const auto& entry : sets_)
    sorted.push_back(&entry);
  std::sort(sorted.begin(), sorted.end(),
            [](const auto* a, const auto* b) { return a->first < b->first; });
  std::string text(kHeading);
  for (const auto* entry : sorted) {
    text += entry->first;
    text += ' ';
    text += AuditWord(entry->second.verdict);
    text += ' ';
    text += std::to_string(entry->second.checked);
    text += '\n';
  }
  return fs::WriteFileAtomic(path, text);
}

void SetStatusBook::Record(std::string_view name, AuditVerdict verdict, std::int64_t checked) {
  std::string key = AsciiLowerCase(name);
  if (verdict == AuditVerdict::kNoneNeeded) {
    sets_.erase(key);
    return;
  }
  sets_[std::move(key)] = SetStatus{verdict, checked};
}

const SetStatus* SetStatusBook::Find(std::string_view name) const {
  const auto found = sets_.find(AsciiLowerCase(name));
  return found == sets_.end() ? nullptr : &found->second;
}

std::vector<std::pair<std::string, SetStatus>> SetStatusBook::Sorted() const {
  std::vector<std::pair<std::string, SetStatus>> sorted(sets_.begin(), sets_.end());
  std::sort(sorted.begin(), sorted.end(),
            [](const auto& a, const auto& b) { return a.first < b.first; });
  return sorted;
}

std::string SetStatusText(const SetStatus* status) {
  if (status == nullptr || status->verdict == AuditVerdict::kNoneNeeded) return "Unknown";
  std::string text;
  switch (status->verdict) {
    case AuditVerdict::kGood:
      text = "Good";
      break;
    case AuditVerdict::kBest:
      text = "Best available";
      break;
    case AuditVerdict::kBad:
      text = "Bad";
      break;
    default:
      text = "Not found";
      break;
  }
  const LocalDateTime when = LocalDateTimeOf(status->checked);
  return text + " (checked " + when.date + " " + when.time + ")";
}

}  // namespace kw
