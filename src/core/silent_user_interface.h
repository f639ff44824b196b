// A user interface that shows nothing: the base of the console's and of the tools' own (bench,
// fuzz), which decide only how questions are answered.
#pragma once

#include <string>

#include "core/user_interface.h"

namespace kw {

class SilentUserInterface : public UserInterface {
 public:
  void SetOperation(const std::string&) override {}
  void SetProgress(int) override {}
  void ShowProgress() override {}
  void HideProgress() override {}
  void SetBusy(bool) override {}
  void ProcessMessages() override {}
  void ShowReport(const ReportDocument&) override {}
};

}  // namespace kw
