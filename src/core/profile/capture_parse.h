// What the listinfo and the listxml parser share: the reading of a decimal value, the error
// log with its limits, the progress and the giving back of the capture bytes already parsed,
// the run over a mapped capture file, and the flow of a profile creation around the parse.
#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "common/result.h"
#include "core/profile/listinfo_parser.h"
#include "core/progress_throttle.h"

namespace kw {

class GameDatabase;
class ReportDocument;
class UserInterface;
namespace platform {
class MappedFile;
}

// A decimal value: the whole text must be an optionally signed integer, else 0. The caller
// keeps the low bits that fit its field.
std::int64_t DecimalValue(std::string_view text);

// The error log of a parse: an entry of the same kind and text only once, at most
// kListinfoLogLimit entries of the describing kinds (1 to 4) before the closing one; texts are
// cut to kTextWidth.
class ListinfoLog {
 public:
  void Add(ListinfoError kind, std::string_view text, std::string_view found = {});
  std::vector<ListinfoLogEntry> Take() { return std::move(entries_); }

 private:
  std::vector<ListinfoLogEntry> entries_;
  std::unordered_set<std::string> logged_;  // kind byte + text of every entry
  std::size_t limited_entries_ = 0;
  bool closed_ = false;
};

// Told where a parse of `size` bytes has got to between two words or events (when nothing holds
// a view of the bytes read so far): updates the progress through `ui` every 64 KiB at the most,
// and gives every 1 MiB read back to the mapped `file`. Either may be null.
class ParsePace {
 public:
  // `offset`: where the parsed bytes start in the mapping; the bytes before are not given back.
  ParsePace(UserInterface* ui, platform::MappedFile* file, std::size_t size,
            std::size_t offset = 0);
  void At(std::size_t position) {
    if (position >= next_progress_ || position >= next_release_) Step(position);
  }

 private:
  void Step(std::size_t position);

  std::optional<ProgressThrottle> throttle_;
  platform::MappedFile* file_;
  std::size_t size_;
  std::size_t next_progress_;
  std::size_t next_release_;
  std::size_t offset_;
  std::size_t released_ = 0;  // given back up to here
};

// Parses the bytes of a capture file; the mapping comes along, for the parse to give back.
using MappedParse =
    std::function<std::vector<ListinfoLogEntry>(std::string_view, platform::MappedFile&)>;

// Maps the capture file at `path` and runs `parse` over it; the mapping ends before the call
// returns. Fails (with the system's reason, `db` cleared) when the file cannot be read.
Result<std::vector<ListinfoLogEntry>> ParseMappedFile(std::string_view path, GameDatabase& db,
                                                      const MappedParse& parse);

// The start of a profile creation's parse: `db` cleared, the progress window shown at 0 under
// `operation`. And its end: the progress window hidden, the busy cursor off.
void BeginCaptureParse(GameDatabase& db, UserInterface& ui, const char* operation);
void EndCaptureParse(UserInterface& ui);

// What the user sees of a parsed `log`: the success message (true), or the error log with the
// error message and the question whether to use the profile anyway (true on Yes). With a
// `refused` text, a log that refuses the whole profile shows the log and that text and gives
// false.
bool OfferParsedProfile(const GameDatabase& db, UserInterface& ui, ReportDocument& report,
                        const ListinfoContext& context, const std::vector<ListinfoLogEntry>& log,
                        const char* refused = nullptr);

}  // namespace kw
