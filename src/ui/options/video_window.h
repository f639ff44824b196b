// The emulator's video options: display mode, synchronisation, vector games, rotation, and the
// viewable-area and centering previews, each change written into the configuration at once.
// The rules are the core's (option_windows.h); this lays out, binds and draws.
#pragma once

#include <QDialog>

#include "ui/options/option_binders.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QPushButton;
class QSlider;
class QToolButton;

namespace kw {

class OptionWindowsController;
class PreviewPicture;

class TVideoFRM : public QDialog {
 public:
  explicit TVideoFRM(OptionWindowsController& controller, QWidget* parent = nullptr);

  // Title, drag states cleared, every control from the record, then shown modally.
  void Run();
  // Fills the window from the record without showing it (Run's first step; tests).
  void Prepare();
  void ShowConfigInWindows();
  void DrawViewArea();
  void DrawCentering();

  QComboBox* VesaMode;
  QComboBox* Res;
  QComboBox* ColorDepth;
  QComboBox* FrameSkip;
  QComboBox* ScanRate;
  QComboBox* Monitor;
  QCheckBox* Stretch;
  QCheckBox* TripleBuffer;
  QCheckBox* Artwork;
  QCheckBox* tweak;
  QCheckBox* ScanLines;
  QCheckBox* Vsync;
  QCheckBox* WaitVSync;
  QCheckBox* waitinterlace;
  QCheckBox* AlwaysSynced;
  QCheckBox* Antialias;
  QCheckBox* Translucency;
  QSlider* Beam;
  QLabel* BeamVAL;
  QSlider* Flicker;
  QLabel* FlickerVAL;
  QSlider* Gamma;
  QLabel* GammaVAL;
  QToolButton* rol;
  QToolButton* ror;
  QToolButton* flipx;
  QToolButton* flipy;
  QCheckBox* norotate;
  QLabel* RotationDemo;
  PreviewPicture* Monitor1;
  QLabel* ViewXLBL;
  QLabel* ViewYLBL;
  QLabel* ViewXVAL;
  QLabel* ViewYVAL;
  QPushButton* CenterViewBTN;
  PreviewPicture* Monitor2;
  QLabel* CenterXLBL;
  QLabel* CenterYLBL;
  QLabel* CenterXVAL;
  QLabel* CenterYVAL;
  QPushButton* CenterScreenBTN;

 private:
  void BuildWidgets();
  // Every control to its option.
  void BindControls();
  void ConnectPreviews();
  void DrawRotation();

  OptionWindowsController& controller_;
  OptionBinders binders_;
  // The two drags: each a flag and the press point.
  QPoint view_start_;
  bool view_dragging_ = false;
  QPoint centre_start_;
  bool centre_dragging_ = false;
};

}  // namespace kw
