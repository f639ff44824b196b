// The game-recording box of the main window: the three speed buttons and the file name.
#pragma once

#include <QObject>

#include "core/launch/recording_controller.h"

class QButtonGroup;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QToolButton;
class QWidget;

namespace kw {

class RecordingPanel : public QObject, public RecordingView {
  Q_OBJECT

 public:
  explicit RecordingPanel(QWidget* parent);

  void Bind(RecordingController* controller) { controller_ = controller; }

  // RecordingView
  void SetRecordingEnabled(bool enabled) override;
  void ShowRecordingMode(RecordingMode mode) override;
  void SetFileNameEnabled(bool enabled) override;
  void SetFileName(const std::string& name) override;
  void SetFileNameWidth(std::size_t width) override;
  std::optional<std::string> ChooseRecordingFile(const std::string& initial_dir,
                                                 const std::string& name) override;

  void NoneRDOClick();
  void PlayRDOClick();
  void RecordRDOClick();
  void InpBrowseBTNClick();

  QGroupBox* GameRecordingBOX;
  QToolButton* NoneBTN;
  QToolButton* PlayBTN;
  QToolButton* RecordBTN;
  QButtonGroup* RecordingGroup;
  QLabel* InpFileLBL;
  QLineEdit* InpFile;
  QPushButton* InpBrowseBTN;

 private:
  RecordingController* controller_ = nullptr;
};

}  // namespace kw
