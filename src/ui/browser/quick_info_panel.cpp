#include "ui/browser/quick_info_panel.h"

#include <QAction>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QMenu>
#include <QSignalBlocker>
#include <QTabWidget>

#include "core/shared/pictures.h"
#include "ui/browser/picture_loader.h"
#include "ui/text_codec.h"

namespace kw {

namespace {

const char* const kPictureTabNames[kPictureTabs] = {"None", "Game", "Cabinet", "Flyer", "Hardware"};

// The value labels' names, in the order of the captions.
const char* const kQuickInfoNames[QuickInfoPanel::kQuickInfoRows] = {
    "RomSetName", "Copyright", "ScreenTypeVAL", "Resolution",   "Sound", "Controls", "Coins",
    "DipSwitch",  "Driver",    "Color",         "SoundQuality", "Stats", "SetStatus"};

}  // namespace

QuickInfoPanel::QuickInfoPanel(QWidget* parent) : QObject(parent) {
  CreatePictures(parent);
  CreateQuickInfo(parent);
}

QPixmap QuickInfoPanel::ProductPicture() {
  return QPixmap(":/pictures/KESTREL.png");
}

void QuickInfoPanel::CreatePictures(QWidget* parent) {
  ScreenShotPGE = new QTabWidget(parent);
  ScreenShotPGE->setObjectName("ScreenShotPGE");
  ScreenShotPGE->setFocusPolicy(Qt::TabFocus);
  for (const char* name : kPictureTabNames)
    ScreenShotPGE->addTab(new QWidget, name);
  connect(ScreenShotPGE, &QTabWidget::currentChanged, this, &QuickInfoPanel::ScreenShotPGEChange);

  // The picture lies on the tab control itself, over whichever page is showing.
  SnapShot = new QLabel(ScreenShotPGE);
  SnapShot->setObjectName("SnapShot");
  SnapShot->setScaledContents(true);
  SnapShot->setPixmap(ProductPicture());
  SnapShot->setGeometry(QRect(kPictureOffset, kPictureFrame));
  SnapShot->raise();

  PicturePopUpMENU = new QMenu(ScreenShotPGE);
  PicturePopUpMENU->setObjectName("PicturePopUpMENU");
  for (QWidget* w : {static_cast<QWidget*>(ScreenShotPGE), static_cast<QWidget*>(SnapShot)}) {
    w->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(w, &QWidget::customContextMenuRequested, this,
            [this, w](const QPoint& pos) { PicturePopUpMENU->popup(w->mapToGlobal(pos)); });
  }
}

void QuickInfoPanel::AddPopUpTwin(QAction* explorer) {
  explorer_ = explorer;
  PopExplorerOPT = PicturePopUpMENU->addAction("Open directory in explorer");
  PopExplorerOPT->setObjectName("_ExplorerOPT");
  connect(PopExplorerOPT, &QAction::triggered, explorer, &QAction::trigger);
}

void QuickInfoPanel::CreateQuickInfo(QWidget* parent) {
  QuickInfoBOX = new QGroupBox(" Quick info ", parent);
  QuickInfoBOX->setObjectName("QuickInfoBOX");
  auto* grid = new QGridLayout(QuickInfoBOX);
  grid->setContentsMargins(8, 4, 6, 6);
  grid->setHorizontalSpacing(8);
  grid->setVerticalSpacing(1);
  for (int i = 0; i < kQuickInfoRows; ++i) {
    auto* caption = new QLabel(kQuickInfoCaptions[i], QuickInfoBOX);
    caption->setObjectName(QString(kQuickInfoNames[i]) + "LBL");
    auto* value = new QLabel(kQuickInfoNotAvailable, QuickInfoBOX);
    value->setObjectName(kQuickInfoNames[i]);
    value->setTextFormat(Qt::PlainText);
    // Long values are cut at the box's edge rather than widening it.
    value->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    value->setMinimumWidth(1);
    grid->addWidget(caption, i, 0);
    grid->addWidget(value, i, 1);
    QuickInfoCaptions[i] = caption;
    QuickInfoValues[i] = value;
  }
  grid->setColumnStretch(1, 1);
  RomSetName = QuickInfoValues[0];
  Copyright = QuickInfoValues[1];
  ScreenTypeVAL = QuickInfoValues[2];
  Resolution = QuickInfoValues[3];
  Sound = QuickInfoValues[4];
  Controls = QuickInfoValues[5];
  Coins = QuickInfoValues[6];
  DipSwitch = QuickInfoValues[7];
  Driver = QuickInfoValues[8];
  Color = QuickInfoValues[9];
  SoundQuality = QuickInfoValues[10];
  Stats = QuickInfoValues[11];
  SetStatus = QuickInfoValues[12];
  // Shown with the first game's values.
  QuickInfoCaptions[12]->hide();
  SetStatus->hide();
}

void QuickInfoPanel::ShowPictureTab(int index) {
  // Showing the stored tab is no change of the user's.
  const QSignalBlocker block(ScreenShotPGE);
  ScreenShotPGE->setCurrentIndex(index);
}

void QuickInfoPanel::ShowProfileState(bool loaded) {
  for (QWidget* w : {static_cast<QWidget*>(QuickInfoBOX), static_cast<QWidget*>(ScreenShotPGE),
                     static_cast<QWidget*>(SnapShot)})
    w->setEnabled(loaded);
  SnapShot->setVisible(loaded);
  if (PopExplorerOPT && !loaded) PopExplorerOPT->setEnabled(false);
  if (!loaded) {
    for (QLabel* value : QuickInfoValues)
      value->setText(kQuickInfoNotAvailable);
    if (SetStatus->isVisibleTo(QuickInfoBOX)) {
      QuickInfoCaptions[12]->hide();
      SetStatus->hide();
      emit LinesChanged();
    }
  }
}

void QuickInfoPanel::ShowQuickInfo(const std::array<std::string, kQuickInfoLines>& values) {
  bool lines_changed = false;
  for (int i = 0; i < kQuickInfoRows; ++i) {
    QuickInfoValues[i]->setText(FromSystemText(values[i]));
    // A line the open profile has not is hidden rather than shown empty.
    const bool shown = !values[i].empty();
    if (QuickInfoValues[i]->isVisibleTo(QuickInfoBOX) == shown) continue;
    QuickInfoCaptions[i]->setVisible(shown);
    QuickInfoValues[i]->setVisible(shown);
    lines_changed = true;
  }
  if (lines_changed) emit LinesChanged();
}

void QuickInfoPanel::ShowFitted(const QImage& picture) {
  const PictureFit fit = FitPicture(picture.width(), picture.height());
  SnapShot->setPixmap(QPixmap::fromImage(
      picture.scaled(fit.width, fit.height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation)));
  SnapShot->setGeometry(fit.left, fit.top, fit.width, fit.height);
}

bool QuickInfoPanel::ShowPicture(const GamePicture& picture) {
  const QImage image = LoadPicture(picture);
  if (image.isNull()) return false;
  ShowFitted(image);
  return true;
}

void QuickInfoPanel::ShowProductPicture(const std::string& message) {
  const QImage product = ProductPicture().toImage();
  ShowFitted(message.empty()
                 ? product
                 : PictureWithMessage(product, QImage(":/pictures/WINERR.png"), message));
}

void QuickInfoPanel::SetExplorerEnabled(bool enabled) {
  if (PopExplorerOPT) PopExplorerOPT->setEnabled(enabled);
  if (explorer_) explorer_->setEnabled(enabled);
}

void QuickInfoPanel::ScreenShotPGEChange(int index) {
  if (controller_) controller_->SelectPictureTab(index);
}

}  // namespace kw
