#include "app/cli_console.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "core/profile/game_database.h"
#include "core/profile/profile_file.h"

namespace kw::cli {

MsgAnswer ConsoleUi::Ask(const std::string& text, MsgIcon, MsgButtons buttons) {
  std::string shown = text;
  for (char& c : shown) {
    if (c == '\r') c = '\n';
  }
  std::fprintf(stderr, "%s\n", shown.c_str());
  switch (buttons) {
    case MsgButtons::YesNo:
      return MsgAnswer::Yes;
    case MsgButtons::RetryCancel:
      return MsgAnswer::Cancel;
    default:
      return MsgAnswer::Ok;
  }
}

bool WriteOut(std::string_view text) {
  if (text.empty() || std::fwrite(text.data(), 1, text.size(), stdout) == text.size()) return true;
  std::fprintf(stderr, "kestrelwing-cli: cannot write to standard output: %s\n",
               std::strerror(errno));
  return false;
}

bool FlushOut() {
  if (std::fflush(stdout) == 0) return true;
  std::fprintf(stderr, "kestrelwing-cli: cannot write to standard output: %s\n",
               std::strerror(errno));
  return false;
}

bool LoadProfileFile(GameDatabase& db, const std::string& path) {
  ConsoleUi ui;
  if (Status loaded = LoadProfile(db, path, ui, ProfileFileContext{}); !loaded) {
    ui.Ask(loaded.Message(), MsgIcon::Error, MsgButtons::Ok);
    return false;
  }
  return true;
}

}  // namespace kw::cli
