// A UserInterface for tests: records every message and progress call, answers questions from a
// prepared list (Ok/Yes when the list runs out), and keeps a copy of every report shown.
#pragma once

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <deque>
#include <functional>
#include <string>
#include <vector>

#include "core/shared/report_document.h"
#include "core/user_interface.h"
#include "support/wait_until.h"

namespace kw::test {

struct RecordedMessage {
  std::string text;
  MsgIcon icon;
  MsgButtons buttons;
};

class ScriptedUi : public UserInterface {
 public:
  std::deque<MsgAnswer> answers;
  std::vector<RecordedMessage> messages;
  std::vector<ReportDocument> reports;
  std::vector<std::string> operations;
  std::vector<int> progress;
  std::vector<std::string> events;  // "show", "hide", "busy on", "busy off", "report"
  int process_messages = 0;
  bool progress_visible = false;
  bool busy = false;
  // The user ends an awaited program that has not ended after this many polls (-1: never).
  int end_programs_after_polls = -1;
  int awaited = 0;  // programs waited for
  // Called on each question before it is answered (a test changes the world there: a disc
  // swapped in the drive).
  std::function<void(const RecordedMessage&)> on_ask;

  MsgAnswer Ask(const std::string& text, MsgIcon icon, MsgButtons buttons) override {
    messages.push_back({text, icon, buttons});
    events.push_back("ask");
    if (on_ask) on_ask(messages.back());
    if (!answers.empty()) {
      MsgAnswer a = answers.front();
      answers.pop_front();
      return a;
    }
    switch (buttons) {
      case MsgButtons::YesNo:
        return MsgAnswer::Yes;
      case MsgButtons::RetryCancel:
        return MsgAnswer::Retry;
      default:
        return MsgAnswer::Ok;
    }
  }
  void SetOperation(const std::string& text) override { operations.push_back(text); }
  void SetProgress(int percent) override { progress.push_back(percent); }
  void ShowProgress() override {
    progress_visible = true;
    events.push_back("show");
  }
  void HideProgress() override {
    progress_visible = false;
    events.push_back("hide");
  }
  void SetBusy(bool on) override {
    busy = on;
    events.push_back(on ? "busy on" : "busy off");
  }
  void ProcessMessages() override { ++process_messages; }
  void ShowReport(const ReportDocument& report) override {
    reports.push_back(report);
    events.push_back("report");
  }

  bool AwaitProgram(const std::function<bool()>& ended, bool offer_end) override {
    ++awaited;
    events.push_back("await");
    // Polls are counted (tests end a program after so many); a program that never ends stops
    // the test with a message instead of hanging it (the Qt tests have no gtest to fail).
    const auto limit = std::chrono::steady_clock::now() + std::chrono::minutes(2);
    for (int polls = 0; !ended(); ++polls) {
      if (offer_end && end_programs_after_polls >= 0 && polls >= end_programs_after_polls)
        return false;
      if (std::chrono::steady_clock::now() > limit) {
        std::fputs("a program the test waits for did not end within two minutes\n", stderr);
        std::abort();
      }
      std::this_thread::sleep_for(kPollInterval);
    }
    return true;
  }

  // Texts of the messages, for compact assertions.
  std::vector<std::string> Texts() const {
    std::vector<std::string> out;
    for (const auto& m : messages)
      out.push_back(m.text);
    return out;
  }
};

}  // namespace kw::test
