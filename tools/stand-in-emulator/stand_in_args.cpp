#include "stand_in_args.h"

#include <charconv>

#include "common/ascii.h"

namespace kw::standin {
namespace {

constexpr long kMaxSecondsToRun = 24L * 60 * 60;

bool IsOption(const std::string& word, const char* name) {
  return EqualNoCase(word, name);
}

long SecondsValue(const std::string& text) {
  long value = 0;
  auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (error != std::errc() || end != text.data() + text.size() || value < 0) return 0;
  return value > kMaxSecondsToRun ? kMaxSecondsToRun : value;
}

}  // namespace

bool IsPlainName(const std::string& name) {
  return !name.empty() && name.find_first_of("/\\") == std::string::npos &&
         name.find("..") == std::string::npos && name.find(':') == std::string::npos;
}

Result<RunOptions> ParseRunOptions(const std::vector<std::string>& args) {
  RunOptions options;
  bool have_set = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& word = args[i];
    const bool has_value = i + 1 < args.size();
    if (word.empty() || word[0] != '-') {
      // The first plain word names the game; later ones belong to options we do not know.
      if (!have_set) options.set = word;
      have_set = true;
    } else if (IsOption(word, "-log")) {
      options.log = true;
    } else if (IsOption(word, "-ignorecfg")) {
      options.ignore_cfg = true;
    } else if (has_value && IsOption(word, "-romdir")) {
      options.romdir = args[++i];
    } else if (has_value && IsOption(word, "-record")) {
      options.record = args[++i];
    } else if (has_value && IsOption(word, "-playback")) {
      options.playback = args[++i];
    } else if (has_value && IsOption(word, "-video")) {
      options.window = !IsOption(args[++i], "none");
    } else if (has_value && IsOption(word, "-seconds_to_run")) {
      options.seconds_to_run = SecondsValue(args[++i]);
    }
  }
  if (!IsPlainName(options.set)) return Failure("\"" + options.set + "\" is not a game name");
  if (!options.record.empty() && !options.playback.empty())
    return Failure("-record and -playback cannot be used together");
  for (const std::string* stem : {&options.record, &options.playback}) {
    if (!stem->empty() && !IsPlainName(*stem))
      return Failure("\"" + *stem + "\" is not a recording name");
  }
  if (options.romdir.empty()) options.romdir.push_back('.');
  return options;
}

}  // namespace kw::standin
