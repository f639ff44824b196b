#include "ui/options/audio_window.h"

#include <QFormLayout>
#include <QHBoxLayout>
#include <QSlider>
#include <QVBoxLayout>

#include "core/options/option_windows_controller.h"
#include "ui/options/option_window_parts.h"
#include "ui/text_codec.h"

namespace kw {

namespace opt = emulator_option;

using namespace option_parts;

TAudioFRM::TAudioFRM(OptionWindowsController& controller, QWidget* parent)
    : QDialog(parent), controller_(controller) {
  SetUpWindow(this, "AudioFRM");
  binders_ = OptionBinders(controller_.Config(),
                           [this](const EmulatorKey& key) { return controller_.Offers(key); });
  EmulatorConfig& config = controller_.Config();
  auto refresh = [this] { ShowConfigInWindows(); };

  auto* top = new QHBoxLayout(this);
  top->setContentsMargins(8, 8, 8, 8);
  top->setSpacing(8);
  QGroupBox* sound = Group(this, "SoundGRP", " Sound ");
  auto* sound_box = new QVBoxLayout(sound);
  auto* lists = new QFormLayout;
  SoundCard = List(sound, "SoundCard", "-soundcard");
  SampleRate = List(sound, "SampleRate", "-sr");
  lists->addRow("Sound card:", SoundCard);
  lists->addRow("Sample rate:", SampleRate);
  sound_box->addLayout(lists);
  Stereo = Check(sound, "Stereo", "Stereo sound (where available)", "-stereo");
  ym3812opl = Check(sound, "ym3812opl", "Hardware YM3812 emulation (OPL)", "-ym3812opl");
  Samples = Check(sound, "Samples", "Use audio samples when needed", "Samples= (MAME.CFG)");
  sound_box->addWidget(Stereo);
  sound_box->addWidget(ym3812opl);
  sound_box->addWidget(Samples);
  sound_box->addStretch(1);
  top->addWidget(sound);

  QGroupBox* volume = Group(this, "VolumeGRP", " Volume ");
  auto* volume_box = new QVBoxLayout(volume);
  Volume = Named(new QSlider(Qt::Vertical, volume), "Volume", "-volume");
  Volume->setTickPosition(QSlider::TicksBothSides);
  Volume->setTickInterval(kVolumeBar.tick);
  Volume->setInvertedAppearance(true);  // 0 dB at the top
  Volume->setInvertedControls(true);
  Volume->setMinimumHeight(130);
  VolumeVAL = Label(volume, "VolumeVAL", "00 dB");
  VolumeVAL->setAlignment(Qt::AlignCenter);
  VolumeVAL->setMinimumWidth(44);
  volume_box->addWidget(Volume, 1, Qt::AlignHCenter);
  volume_box->addWidget(VolumeVAL);
  top->addWidget(volume);

  binders_.ComboBox(SoundCard, opt::kSoundcard(config), SoundCardList(), refresh);
  binders_.ComboBox(SampleRate, opt::kSamplerate(config), SampleRateList());
  binders_.CheckBox(Stereo, opt::kStereo(config));
  binders_.CheckBox(ym3812opl, opt::kYm3812opl(config));
  binders_.CheckBox(Samples, opt::kSamples(config));
  binders_.VolumeBar(Volume, opt::kVolume(config), VolumeVAL);
  FixSize(this);
}

void TAudioFRM::Prepare() {
  setWindowTitle(FromSystemText(controller_.Title(" - MAME audio settings")));
  ShowConfigInWindows();
}

void TAudioFRM::Run() {
  Prepare();
  exec();
}

void TAudioFRM::ShowConfigInWindows() {
  controller_.ShowConfigInWindows();
  binders_.Show();
  const bool sound = OptionEnablingOf(controller_.Config()).SoundDetails;
  for (QWidget* w :
       std::initializer_list<QWidget*>{SampleRate, Stereo, ym3812opl, Samples, Volume, VolumeVAL})
    w->setEnabled(sound);
  binders_.DisableMissing();
}

}  // namespace kw
