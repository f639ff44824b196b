// The verify window: the options of a verification run, its live progress and counters, the
// elapsed time and the abort / close button. The rules are VerifyForm's; this shows its state,
// forwards the clicks (Go to the controller) and is the view the run reports through.
#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <optional>
#include <string>

#include "core/reports/verify_form.h"

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QTimer;

namespace kw {

class VerifyController;

class TVerifyFRM : public QDialog, public VerifyView {
 public:
  static constexpr int kWidth = 424;
  static constexpr int kHeight = 526;
  static constexpr int kCounterCount = 12;

  // The report file dialog: the chosen name, or nothing when cancelled.
  using BrowseHook = std::function<std::optional<std::string>(const std::string& initial_dir,
                                                              const std::string& proposed)>;

  // `program_dir` is where the report file dialog starts.
  TVerifyFRM(std::string program_dir, QWidget* parent = nullptr);

  // Shows the window modally over the controller's form (which keeps the options from one
  // showing to the next); the dialog's result: Accepted after a finished run, Rejected
  // otherwise. `emulator_dir` is the open profile's, where the run's temporary directory lies.
  int Run(VerifyController& controller, const std::string& emulator_dir);
  // Binds the window to the controller's form and shows its idle state, without running it
  // (tests).
  void Attach(VerifyController& controller, const std::string& emulator_dir);
  // Tests answer the report file dialog here.
  void SetBrowseHook(BrowseHook hook) { browse_hook_ = std::move(hook); }

  void ShowState() override;
  void ShowCounters(const VerifyCounterValues& counters) override;
  void ShowProgress(int percent) override;
  void ShowStatus(const std::string& pass_name, const std::string& set_name,
                  const std::string& clones) override;
  void ShowElapsed(const std::string& text) override;
  void ProcessMessages() override;
  void HideWindow() override;

  // Esc and every other way of closing go through the abort button's rules.
  void reject() override;
  void done(int result) override;

  QGroupBox* OptionsGRP;
  QCheckBox* VerifyRoms;
  QCheckBox* RomClones;
  QCheckBox* ReportNoGoodDump;
  QCheckBox* VerifySamples;
  QCheckBox* VerifySampleQuality;
  QCheckBox* SkipNotPresent;
  QCheckBox* VerifyScreenshot;
  QCheckBox* VerifyCabinets;
  QCheckBox* VerifyFlyers;
  QCheckBox* VerifyHardware;
  QCheckBox* ScreenshotDetail;
  QCheckBox* ReportUnused;
  QCheckBox* ReportUnsupported;
  QCheckBox* QuickCheck;
  QLabel* LogFileNameLBL;
  QLineEdit* LogFileName;
  QPushButton* LogFileBrowseBTN;
  QCheckBox* OpenInEditor;

  QGroupBox* ProgressGRP;
  QLabel* PassName;
  QLabel* SetName;
  QLabel* Clones;
  // In the order of VerifyCounterValues: MissingRoms ... SkippedSets.
  std::array<QLabel*, kCounterCount> Counters;
  QLabel* ElapsedTime;
  QProgressBar* ProgressBAR;

  QPushButton* GoBTN;
  QPushButton* AbortBTN;
  QTimer* ElapsedTMR;

 private:
  void BuildOptions();
  void BuildProgress();
  void BuildButtons();
  void OptionClick();
  void LogFileBrowseBTNClick();
  void AbortBTNClick();
  void ReadOptions();
  void WriteOptions();
  std::optional<std::string> ChooseReportFile(const std::string& initial_dir,
                                              const std::string& proposed);

  std::string program_dir_;
  VerifyController* controller_ = nullptr;
  VerifyForm* form_ = nullptr;
  BrowseHook browse_hook_;
  bool closing_ = false;
};

}  // namespace kw
