// The quick-information box of the main window and the picture tabs beside it.
#pragma once

#include <QImage>
#include <QObject>
#include <QPixmap>
#include <QPoint>
#include <QSize>
#include <array>
#include <string>

#include "core/browser/quick_info_controller.h"

class QAction;
class QGroupBox;
class QLabel;
class QMenu;
class QTabWidget;
class QWidget;

namespace kw {

class QuickInfoPanel : public QObject, public QuickInfoView {
  Q_OBJECT

 public:
  static constexpr int kQuickInfoRows = static_cast<int>(kw::kQuickInfoLines);
  // The picture frame is fixed, and so is the tab control around it.
  static constexpr QSize kPictureFrame{320, 320};
  static constexpr QPoint kPictureOffset{8, 29};  // of the frame inside the tab control
  static constexpr QSize kPictureTabsSize{kPictureOffset.x() + kPictureFrame.width() + 8,
                                          kPictureOffset.y() + kPictureFrame.height() + 8};

  // Makes the box and the tabs in `parent`; the main window places them.
  explicit QuickInfoPanel(QWidget* parent);

  void Bind(QuickInfoController* controller) { controller_ = controller; }
  // The picture pop-up's item is a twin of this main-menu item: it triggers it.
  void AddPopUpTwin(QAction* explorer);

  // QuickInfoView
  void ShowPictureTab(int index) override;
  void ShowProfileState(bool profile_loaded) override;
  void ShowQuickInfo(const std::array<std::string, kQuickInfoLines>& values) override;
  bool ShowPicture(const GamePicture& picture) override;
  void ShowProductPicture(const std::string& message) override;
  void SetExplorerEnabled(bool enabled) override;

  // The product picture shown when a game has no picture of its own.
  static QPixmap ProductPicture();

  void ScreenShotPGEChange(int index);

 signals:
  // A line was shown or hidden: the box's height has changed.
  void LinesChanged();

 public:
  // Pictures
  QTabWidget* ScreenShotPGE;
  QLabel* SnapShot;
  QMenu* PicturePopUpMENU;
  QAction* PopExplorerOPT = nullptr;  // _ExplorerOPT

  // Quick information: captions and values, in display order
  QGroupBox* QuickInfoBOX;
  std::array<QLabel*, kQuickInfoRows> QuickInfoCaptions;
  std::array<QLabel*, kQuickInfoRows> QuickInfoValues;
  QLabel* RomSetName;
  QLabel* Copyright;
  QLabel* ScreenTypeVAL;
  QLabel* Resolution;
  QLabel* Sound;
  QLabel* Controls;
  QLabel* Coins;
  QLabel* DipSwitch;
  QLabel* Driver;
  QLabel* Color;
  QLabel* SoundQuality;
  QLabel* Stats;
  QLabel* SetStatus;

 private:
  void CreatePictures(QWidget* parent);
  void CreateQuickInfo(QWidget* parent);

  // Shows `picture` in the frame, fitted and centred.
  void ShowFitted(const QImage& picture);

  QuickInfoController* controller_ = nullptr;
  QAction* explorer_ = nullptr;  // the main menu's twin of the pop-up's item
};

}  // namespace kw
