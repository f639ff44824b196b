#include "ui/options/video_window.h"

#include <QButtonGroup>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QPainter>
#include <QSlider>
#include <QToolButton>
#include <QVBoxLayout>

#include "core/options/option_windows_controller.h"
#include "ui/options/option_window_parts.h"
#include "ui/options/preview_picture.h"
#include "ui/text_codec.h"

namespace kw {

namespace opt = emulator_option;

using namespace option_parts;

namespace {

// A picture of the program's own; a missing one is a grey square of the previews' size, so
// that the drawing over it still shows.
QImage Picture(std::string_view name) {
  QImage image(QString(":/pictures/%1.png").arg(QString::fromUtf8(name.data(), name.size())));
  if (image.isNull()) {
    image = QImage(kPreviewSize, kPreviewSize, QImage::Format_RGB32);
    image.fill(Qt::gray);
  }
  return image.convertToFormat(QImage::Format_RGB32);
}

QRect ToQRect(const PreviewRect& r) {
  return QRect(QPoint(r.left, r.top), QPoint(r.right, r.bottom));
}

QSlider* Bar(QWidget* parent, const char* name, const char* hint, const TrackBar& scale) {
  auto* bar = Named(new QSlider(Qt::Horizontal, parent), name, hint);
  bar->setTickPosition(QSlider::TicksBelow);
  bar->setTickInterval(scale.tick);
  bar->setRange(scale.min, scale.max);
  bar->setMinimumWidth(150);
  return bar;
}

QLabel* Value(QWidget* parent, const char* name) {
  auto* label = Label(parent, name, "0");
  label->setMinimumWidth(38);
  label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  return label;
}

QToolButton* Toggle(QWidget* parent, const char* name, const char* icon, const char* hint) {
  auto* button = Named(new QToolButton(parent), name, hint);
  button->setCheckable(true);
  button->setIcon(QIcon(QString(":/icons/%1.png").arg(icon)));
  button->setIconSize(QSize(16, 16));
  button->setFixedSize(26, 24);
  return button;
}

}  // namespace

TVideoFRM::TVideoFRM(OptionWindowsController& controller, QWidget* parent)
    : QDialog(parent), controller_(controller) {
  SetUpWindow(this, "VideoFRM");
  binders_ = OptionBinders(controller_.Config(),
                           [this](const EmulatorKey& key) { return controller_.Offers(key); });
  BuildWidgets();
  BindControls();
  ConnectPreviews();
  FixSize(this);
}

// The controls in their groups: the display mode and options on the left, the rotation, the
// vector games' options and the two previews on the right.
void TVideoFRM::BuildWidgets() {
  auto* top = new QHBoxLayout(this);
  top->setContentsMargins(8, 8, 8, 8);
  top->setSpacing(8);
  auto* left = new QVBoxLayout;
  auto* right = new QVBoxLayout;
  top->addLayout(left);
  top->addLayout(right);

  // The display mode.
  QGroupBox* mode = Group(this, "ModeGRP", " Display mode ");
  auto* mode_form = new QFormLayout(mode);
  mode_form->setLabelAlignment(Qt::AlignLeft);
  VesaMode = List(mode, "VesaMode", "-vesamode");
  Res = List(mode, "Res", "-resolution");
  ColorDepth = List(mode, "ColorDepth", "-depth");
  FrameSkip = List(mode, "FrameSkip", "-frameskip");
  ScanRate = List(mode, "ScanRate", "-vgafreq");
  Monitor = List(mode, "Monitor", "-monitor");
  mode_form->addRow("VESA mode:", VesaMode);
  mode_form->addRow("Resolution:", Res);
  mode_form->addRow("Color depth:", ColorDepth);
  mode_form->addRow("Frame skipping:", FrameSkip);
  mode_form->addRow("Scan rate:", ScanRate);
  mode_form->addRow("Monitor:", Monitor);
  left->addWidget(mode);

  QGroupBox* options = Group(this, "OptionsGRP", " Options ");
  auto* options_box = new QVBoxLayout(options);
  options_box->setSpacing(2);
  Stretch = Check(options, "Stretch", "Stretch to full screen", "-stretch");
  TripleBuffer = Check(options, "TripleBuffer", "Triple VESA buffering", "-triplebuffer");
  Artwork = Check(options, "Artwork", "Use artwork files", "Artwork= (MAME.CFG)");
  tweak = Check(options, "tweak", "Use VGA tweaked video modes (mode X) instead of VESA standards",
                "-tweak");
  AlwaysSynced =
      Check(options, "AlwaysSynced", "Force scan rate to be that of the game", "-alwayssynced");
  ScanLines = Check(options, "ScanLines",
                    "Simulate scan lines to look more like a real arcade monitor", "-scanlines");
  Vsync =
      Check(options, "Vsync", "Synchronize with video beam instead of using the timer", "-vsync");
  WaitVSync = Check(options, "WaitVSync", "Wait for vertical retrace before redrawing the screen",
                    "-waitvsync");
  waitinterlace = Check(options, "waitinterlace", "Force screen redraw on both even and odd frames",
                        "-waitinterlace");
  for (QWidget* w :
       std::initializer_list<QWidget*>{Stretch, TripleBuffer, Artwork, tweak, AlwaysSynced,
                                       ScanLines, Vsync, WaitVSync, waitinterlace})
    options_box->addWidget(w);
  auto* gamma_row = new QHBoxLayout;
  Gamma = Bar(options, "Gamma", "-gamma", kGammaBar);
  GammaVAL = Value(options, "GammaVAL");
  gamma_row->addWidget(Label(options, "GammaLBL", "Gamma correction:"));
  gamma_row->addWidget(Gamma, 1);
  gamma_row->addWidget(GammaVAL);
  options_box->addLayout(gamma_row);
  left->addWidget(options);

  QGroupBox* vector = Group(this, "VectorGRP", " Vector games ");
  auto* vector_grid = new QGridLayout(vector);
  vector_grid->setVerticalSpacing(2);
  Antialias = Check(vector, "Antialias", "Anti-aliasing filter", "-antialias");
  Translucency = Check(vector, "Translucency", "Vector translucency", "-translucency");
  Beam = Bar(vector, "Beam", "-beam", kBeamBar);
  BeamVAL = Value(vector, "BeamVAL");
  Flicker = Bar(vector, "Flicker", "-flicker", kFlickerBar);
  FlickerVAL = Value(vector, "FlickerVAL");
  vector_grid->addWidget(Antialias, 0, 0, 1, 2);
  vector_grid->addWidget(Translucency, 0, 2, 1, 2);
  vector_grid->addWidget(Label(vector, "BeamLBL", "Beam width:"), 1, 0);
  vector_grid->addWidget(Beam, 1, 1, 1, 2);
  vector_grid->addWidget(BeamVAL, 1, 3);
  vector_grid->addWidget(Label(vector, "FlickerLBL", "Flicker:"), 2, 0);
  vector_grid->addWidget(Flicker, 2, 1, 1, 2);
  vector_grid->addWidget(FlickerVAL, 2, 3);
  left->addWidget(vector);
  left->addStretch(1);

  // Rotation.
  QGroupBox* rotation = Group(this, "RotationGRP", " Screen rotation ");
  auto* rotation_grid = new QGridLayout(rotation);
  rol = Toggle(rotation, "rol", "rot_left", "Rotate left (-rol)");
  ror = Toggle(rotation, "ror", "rot_right", "Rotate right (-ror)");
  flipx = Toggle(rotation, "flipx", "flip_x", "Flip horizontally (-flipx)");
  flipy = Toggle(rotation, "flipy", "flip_y", "Flip vertically (-flipy)");
  auto* buttons = new QGridLayout;
  buttons->addWidget(rol, 0, 0);
  buttons->addWidget(ror, 0, 1);
  buttons->addWidget(flipx, 1, 0);
  buttons->addWidget(flipy, 1, 1);
  RotationDemo = Named(new QLabel(rotation), "RotationDemo", "View rotation effects here");
  RotationDemo->setFixedSize(kPreviewSize, kPreviewSize);
  norotate = Check(rotation, "norotate", "Manually select screen rotation/flipping", "-norotate");
  rotation_grid->addLayout(buttons, 0, 0, Qt::AlignTop);
  rotation_grid->addWidget(RotationDemo, 0, 1, Qt::AlignRight);
  rotation_grid->addWidget(norotate, 1, 0, 1, 2);
  right->addWidget(rotation);

  // The two previews, each with its values and Center button.
  auto preview_box = [this](const char* group_name, const char* caption, const char* hint,
                            const char* picture_name, const char* picture_hint, const char* x_label,
                            const char* y_label, const char* x_value, const char* y_value,
                            const char* button_name, PreviewPicture*& picture, QLabel*& xl,
                            QLabel*& yl, QLabel*& xv, QLabel*& yv, QPushButton*& button) {
    QGroupBox* box = Group(this, group_name, caption);
    box->setToolTip(hint);
    auto* grid = new QGridLayout(box);
    picture = Named(new PreviewPicture(box), picture_name, picture_hint);
    xl = Label(box, x_label, "X:");
    yl = Label(box, y_label, "Y:");
    xv = Value(box, x_value);
    yv = Value(box, y_value);
    button = Button(box, button_name, "Center");
    grid->addWidget(picture, 0, 0, 4, 1);
    grid->addWidget(xl, 0, 1);
    grid->addWidget(xv, 0, 2);
    grid->addWidget(yl, 1, 1);
    grid->addWidget(yv, 1, 2);
    grid->addWidget(button, 3, 1, 1, 2, Qt::AlignBottom);
    return box;
  };
  right->addWidget(preview_box("ViewAreaGRP", " Viewable area ", "-skiplines / -skipcolumns",
                               "Monitor1", "Drag viewable area to reposition", "ViewXLBL",
                               "ViewYLBL", "ViewXVAL", "ViewYVAL", "CenterViewBTN", Monitor1,
                               ViewXLBL, ViewYLBL, ViewXVAL, ViewYVAL, CenterViewBTN));
  right->addWidget(preview_box("CenteringGRP", " Centering ", "-centerx / -centery", "Monitor2",
                               "Drag screen centering to reposition", "CenterXLBL", "CenterYLBL",
                               "CenterXVAL", "CenterYVAL", "CenterScreenBTN", Monitor2, CenterXLBL,
                               CenterYLBL, CenterXVAL, CenterYVAL, CenterScreenBTN));
  right->addStretch(1);
}

void TVideoFRM::BindControls() {
  EmulatorConfig& config = controller_.Config();
  auto refresh = [this] { ShowConfigInWindows(); };
  binders_.ComboBox(VesaMode, opt::kVesamode(config), VesaModeList());
  binders_.ComboBox(Res, opt::kResolution(config), ResolutionList(), [this] {
    controller_.ResolutionChanged();
    DrawViewArea();
  });
  binders_.ComboBox(ColorDepth, opt::kDepth(config), ColorDepthList());
  binders_.ComboBox(FrameSkip, opt::kFrameskip(config), FrameSkipList());
  binders_.ComboBox(ScanRate, opt::kVgafreq(config), ScanRateList());
  binders_.ComboBox(Monitor, opt::kMonitor(config), MonitorList(), refresh);
  binders_.CheckBox(Stretch, opt::kStretch(config));
  binders_.CheckBox(TripleBuffer, opt::kTriplebuffer(config));
  binders_.CheckBox(Artwork, opt::kArtwork(config));
  binders_.CheckBox(tweak, opt::kTweak(config), refresh);
  binders_.CheckBox(AlwaysSynced, opt::kAlwayssynced(config), refresh);
  binders_.CheckBox(ScanLines, opt::kScanlines(config));
  binders_.CheckBox(Vsync, opt::kVsync(config));
  binders_.CheckBox(WaitVSync, opt::kWaitvsync(config));
  binders_.CheckBox(waitinterlace, opt::kWaitinterlace(config));
  binders_.CheckBox(Antialias, opt::kAntialias(config));
  binders_.CheckBox(Translucency, opt::kTranslucency(config));
  binders_.TrackBar(Beam, opt::kBeam(config), kBeamBar, BeamVAL);
  binders_.TrackBar(Flicker, opt::kFlicker(config), kFlickerBar, FlickerVAL);
  binders_.TrackBar(Gamma, opt::kGamma(config), kGammaBar, GammaVAL);
  // rol and ror: at most one down, both stored on either click.
  bool& rol_value = opt::kRol(config);
  bool& ror_value = opt::kRor(config);
  binders_.CheckBox(rol, rol_value, [this, &ror_value, refresh] {
    if (rol->isChecked()) ror_value = false;
    refresh();
  });
  binders_.CheckBox(ror, ror_value, [this, &rol_value, refresh] {
    if (ror->isChecked()) rol_value = false;
    refresh();
  });
  binders_.CheckBox(flipx, opt::kFlipx(config), refresh);
  binders_.CheckBox(flipy, opt::kFlipy(config), refresh);
  binders_.CheckBox(norotate, opt::kNorotate(config), refresh);
}

// The centering buttons and the drags over the two previews.
void TVideoFRM::ConnectPreviews() {
  auto refresh = [this] { ShowConfigInWindows(); };
  connect(CenterViewBTN, &QPushButton::clicked, this, [this, refresh] {
    controller_.CenterViewBTNClick();
    refresh();
  });
  connect(CenterScreenBTN, &QPushButton::clicked, this, [this, refresh] {
    controller_.CenterScreenBTNClick();
    refresh();
  });
  // The view area: a press sets the start point, every move with the left button is a drag.
  Monitor1->on_press = [this](QPoint p) {
    const PreviewPoint start = ViewAreaDragStart(controller_.Config(), {p.x(), p.y()});
    view_start_ = QPoint(start.x, start.y);
    view_dragging_ = true;
  };
  Monitor1->on_drag = [this](QPoint p) {
    controller_.DragViewArea({view_start_.x(), view_start_.y()}, {p.x(), p.y()});
    DrawViewArea();
  };
  // The centering cross: dragged from a press to its release.
  Monitor2->on_press = [this](QPoint p) {
    centre_start_ = p;
    centre_dragging_ = true;
  };
  Monitor2->on_release = [this](QPoint) { centre_dragging_ = false; };
  Monitor2->on_drag = [this](QPoint p) {
    if (!centre_dragging_) return;
    controller_.DragCentering({centre_start_.x(), centre_start_.y()}, {p.x(), p.y()});
    DrawCentering();
  };
}

void TVideoFRM::Prepare() {
  setWindowTitle(FromSystemText(controller_.Title(" - MAME video settings")));
  view_dragging_ = false;
  centre_dragging_ = false;
  ShowConfigInWindows();
}

void TVideoFRM::Run() {
  Prepare();
  exec();
}

void TVideoFRM::ShowConfigInWindows() {
  controller_.ShowConfigInWindows();
  binders_.Show();
  const OptionEnabling e = OptionEnablingOf(controller_.Config());
  EnableGreyed(VesaMode, e.VesaMode);
  TripleBuffer->setEnabled(e.VesaMode);
  AlwaysSynced->setEnabled(e.AlwaysSynced);
  EnableGreyed(ScanRate, e.ScanRate);
  waitinterlace->setEnabled(e.Centering);
  for (QWidget* w : std::initializer_list<QWidget*>{CenterScreenBTN, Monitor2, CenterXLBL,
                                                    CenterYLBL, CenterXVAL, CenterYVAL})
    w->setEnabled(e.Centering);
  for (QToolButton* button : {rol, ror, flipx, flipy})
    button->setEnabled(e.RotationButtons);
  binders_.DisableMissing();
  DrawRotation();
  DrawViewArea();
  DrawCentering();
}

void TVideoFRM::DrawRotation() {
  QImage image = Picture("MONITOR");
  QPainter p(&image);
  p.drawImage(kOverlayX, kOverlayY, Picture(RotationOverlay(controller_.Config())));
  p.end();
  RotationDemo->setPixmap(QPixmap::fromImage(image));
}

void TVideoFRM::DrawViewArea() {
  if (!controller_.HasGames()) return;  // nothing to preview in a profile without games
  const ViewAreaPreview view = controller_.ViewArea();
  QImage image = Picture("MONITOR");
  if (view.active) {
    QPainter p(&image);
    p.fillRect(ToQRect(kPreviewScreen), Qt::black);
    p.setPen(Qt::white);
    p.setBrush(Qt::NoBrush);
    p.drawRect(ToQRect(view.game).adjusted(0, 0, -1, -1));
    p.fillRect(ToQRect(view.visible), Qt::red);
  }
  Monitor1->setPixmap(QPixmap::fromImage(image));
  Monitor1->setEnabled(view.active);
  CenterViewBTN->setEnabled(view.active);
  ViewXLBL->setEnabled(view.x_enabled);
  ViewXVAL->setEnabled(view.x_enabled);
  ViewYLBL->setEnabled(view.y_enabled);
  ViewYVAL->setEnabled(view.y_enabled);
  ViewXVAL->setText(QString::number(view.skipcolumns));
  ViewYVAL->setText(QString::number(view.skiplines));
}

void TVideoFRM::DrawCentering() {
  const CenteringPreview view = kw::DrawCentering(controller_.Config());
  QImage image = Picture("MONITOR");
  QPainter p(&image);
  p.fillRect(ToQRect(kPreviewScreen), Qt::black);
  if (view.active) {
    p.setPen(Qt::white);
    p.drawLine(view.horizontal.left, view.horizontal.top, view.horizontal.right,
               view.horizontal.bottom);
    p.drawLine(view.vertical.left, view.vertical.top, view.vertical.right, view.vertical.bottom);
    CenterXVAL->setText(QString::number(view.centerx));
    CenterYVAL->setText(QString::number(view.centery));
  }
  p.end();
  Monitor2->setPixmap(QPixmap::fromImage(image));
}

}  // namespace kw
