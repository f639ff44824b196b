#include "app/cli_console.h"

#include <signal.h>

#include <cerrno>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <thread>

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

}  // namespace kw::cli
