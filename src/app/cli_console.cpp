#include "app/cli_console.h"

#include <signal.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <thread>

#include "core/browser/game_list.h"
#include "core/profile/profile_file.h"
#include "core/shared/game_database.h"
#include "core/shared/play_stats.h"
#include "core/shared/settings.h"
#include "platform/system_info.h"

namespace kw::cli {

std::string ConsoleText(const std::string& message) {
  std::string shown = message;
  for (char& c : shown) {
    if (c == '\r') c = '\n';
  }
  // The window's words for a file without the profile tag leave the user guessing.
  if (shown.ends_with(ProfileErrorMessage("", ProfileReadError::kInvalidFileType)))
    shown += "\nThe file is not a " + std::string(kProductName) +
             " profile; create-profile or parse-listinfo makes one.";
  return shown;
}

int BadUsage(const char* command, const std::string& why, const char* usage) {
  std::fprintf(stderr, "kestrelwing-cli %s: %s\n%s", command, why.c_str(), usage);
  return 2;
}

bool FixedArguments(const char* command, const std::vector<std::string>& args,
                    std::initializer_list<const char*> names, const char* usage) {
  for (const std::string& word : args) {
    if (IsOption(word)) {
      BadUsage(command, "unknown option '" + word + "'", usage);
      return false;
    }
  }
  if (args.size() > names.size()) {
    BadUsage(command, "unexpected argument '" + args[names.size()] + "'", usage);
    return false;
  }
  if (args.size() < names.size()) {
    BadUsage(command, std::string("missing ") + names.begin()[args.size()], usage);
    return false;
  }
  return true;
}

int UnknownSet(const char* command, const std::string& name) {
  std::fprintf(stderr, "kestrelwing-cli %s: the profile has no game named '%s'\n", command,
               name.c_str());
  return 1;
}

MsgAnswer ConsoleUi::Ask(const std::string& text, MsgIcon, MsgButtons buttons) {
  std::fprintf(stderr, "%s\n", ConsoleText(text).c_str());
  switch (buttons) {
    case MsgButtons::YesNo:
      return MsgAnswer::Yes;
    case MsgButtons::RetryCancel:
      return MsgAnswer::Cancel;
    default:
      return MsgAnswer::Ok;
  }
}

namespace {

volatile std::sig_atomic_t interrupted = 0;

void OnInterrupt(int) {
  interrupted = 1;
}

}  // namespace

bool ConsoleUi::AwaitProgram(const std::function<bool()>& ended, bool offer_end) {
  if (!offer_end) return UserInterface::AwaitProgram(ended, offer_end);
  struct sigaction on_interrupt = {}, before = {};
  on_interrupt.sa_handler = OnInterrupt;
  sigemptyset(&on_interrupt.sa_mask);
  interrupted = 0;
  sigaction(SIGINT, &on_interrupt, &before);
  bool came_back = true;
  while (!ended()) {
    if (interrupted) {
      came_back = false;
      std::fputs("kestrelwing-cli: the emulator was ended\n", stderr);
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  sigaction(SIGINT, &before, nullptr);
  return came_back;
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

bool EnsureProgramDirectory(const char* command) {
  const std::string shipped = platform::ShippedDataDir();
  if (Status found = platform::CheckShippedData(shipped); !found) {
    std::fprintf(stderr, "kestrelwing-cli %s: %s\n", command, found.Message().c_str());
    return false;
  }
  if (Status made = platform::EnsureProgramDir(shipped); !made) {
    std::fprintf(stderr, "kestrelwing-cli %s: the program's directory %s could not be made: %s\n",
                 command, platform::ProgramDir().c_str(), made.Message().c_str());
    return false;
  }
  return true;
}

void SortAsList(GameDatabase& db, const FrontEndSettings& settings, const std::string& stats_path) {
  PlayStats stats(stats_path);
  stats.SetNameWidth(NameWidthsOf(db.Dialect).set);
  if (settings.SortBy == kSortMostPlayed) stats.LoadStats();
  SortGames(db, settings.SortBy, settings.ReverseSort, stats);
}

}  // namespace kw::cli
