// Today's emulator keeps its options in mame.ini: one option a line, the name, blanks and the
// value ("rompath   $HOME/mame/roms;roms"), "#" starting a comment outside double quotes, a
// value between double quotes taken without them. It looks for the file in the directories of
// its inipath: from its built-in inipath first, then once more from the inipath that file set,
// so that a user's file read second overrides the system's read first. This reads the file as
// the emulator does, finds the files it reads, and changes single values in the user's own
// file, keeping every other byte of it.
#pragma once

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "common/result.h"

namespace kw {

// The file's name. The emulator opens it by this exact name, so it is not looked up without
// regard to case: a MAME.INI would be a file the emulator never reads.
inline constexpr std::string_view kMameIniName = "mame.ini";
// The inipath built into the emulator when nothing else says.
inline constexpr std::string_view kMameBuiltInIniPath = ".;ini;ini/presets";
// The larger a file the reader refuses: a mame.ini of every option is some 20 KB.
inline constexpr std::size_t kMameIniSizeLimit = 1 << 20;

// One mame.ini text with its option lines found.
class MameIni {
 public:
  explicit MameIni(std::string text = {});

  // The value of `key` as the emulator takes it (the last line naming it wins), nullopt when no
  // line names it. Option names are matched exactly, as the emulator matches them.
  std::optional<std::string> Value(std::string_view key) const;
  // Every option in the order of its lines (a name given twice appears twice).
  std::vector<std::pair<std::string, std::string>> Options() const;

  // Gives `key` the value `value`: the value of the last line naming it is replaced in place,
  // its name, blanks and comment kept; a key that no line names gets a line of its own at the
  // end. A value holding a blank or "#", or an empty one, is written between double quotes.
  void Set(std::string_view key, std::string_view value);

  const std::string& Text() const { return text_; }

 private:
  struct Option {
    std::string key;
    std::string value;
    std::size_t value_begin = 0;  // the bytes of the value as written, quotes included
    std::size_t value_end = 0;
  };
  void Parse();

  std::string text_;
  std::vector<Option> options_;
};

// A value as mame.ini holds it: between double quotes when it holds a blank or "#" or is empty.
std::string MameIniWritten(std::string_view value);

// A path with "~" at its start and $NAME or ${NAME} replaced from the environment, as the
// emulator replaces them in each file name it opens (an unknown name gives nothing).
std::string ExpandMamePath(std::string_view path);
// The entries of a ";"-separated path, empty ones left out.
std::vector<std::string> SplitMamePath(std::string_view path);
// The first entry of a path, expanded (the emulator's homepath is used this way).
std::string FirstMamePathEntry(std::string_view path);

// What the emulator's mame.ini files give.
struct MameIniFiles {
  std::map<std::string, std::string, std::less<>> values;  // the second file's over the first's
  std::vector<std::string> read;  // the files read, in their order (the same one may be twice)
  std::string inipath;            // the inipath the second search used
  // The file the front-end writes the user's changes into: the first directory of that inipath
  // that lies in the home directory, when no directory before it holds a mame.ini. Empty when
  // there is none (then `user_file_problem` says why).
  std::string user_file;
  std::string user_file_problem;

  // The option's value as read, or `fallback` when no file gives it.
  std::string Get(std::string_view key, std::string_view fallback) const;
};

// Reads the emulator's files as it does at start: the first mame.ini in the directories of
// `initial_inipath`, then the first in those of the inipath it gave (the same when it gave
// none). Relative directories are taken in `working_dir`, the emulator's current directory. A
// file that cannot be read, or is larger than kMameIniSizeLimit, is left out and said in
// `problems`.
MameIniFiles ReadMameIniFiles(std::string_view initial_inipath, const std::string& working_dir,
                              std::vector<std::string>* problems = nullptr);

// The inipath the emulator at `emulator_path` starts from: a distribution's build (a program
// under /usr, with /etc/mame beside it) starts from /etc/mame, whose file names the user's
// directory; any other build from kMameBuiltInIniPath.
std::string MameInitialIniPath(const std::string& emulator_path);

// Writes `changes` (option name, value) into `file`: an existing file has each value changed
// in place and every other byte kept; a missing one is made (with its directory) holding only
// these options. Written atomically, and only over a regular file.
Status WriteMameIniChanges(const std::string& file,
                           const std::vector<std::pair<std::string, std::string>>& changes);

}  // namespace kw
