#include "ui/options/option_binders.h"

#include "ui/text_codec.h"

namespace kw {

void OptionBinders::Tie(QWidget* control, const void* field) {
  if (!config_) return;
  if (const EmulatorKey* key = EmulatorKeyOf(*config_, field)) keyed_.emplace_back(control, key);
}

void OptionBinders::DisableMissing() const {
  if (!offered_) return;
  for (const auto& [control, key] : keyed_) {
    if (!offered_(*key)) control->setEnabled(false);
  }
}

void OptionBinders::CheckBox(QAbstractButton* box, bool& value, Then then) {
  Tie(box, &value);
  // Clicks only: a box set by the program stores nothing.
  QObject::connect(box, &QAbstractButton::clicked, box, [box, &value, then] {
    value = box->isChecked();
    if (then) then();
  });
  shows_.push_back([box, &value] {
    const QSignalBlocker quiet(box);
    box->setChecked(value);
  });
}

void OptionBinders::TrackBar(QAbstractSlider* bar, float& value, const kw::TrackBar& scale,
                             QLabel* label, Then then) {
  Tie(bar, &value);
  Tie(label, &value);
  bar->setRange(scale.min, scale.max);
  bar->setSingleStep(1);
  bar->setPageStep(scale.tick);
  // Moved by the user (mouse, keys or wheel): the option takes the bar's position.
  QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [bar, &value, scale, label, then] {
    const int position = bar->sliderPosition();
    value = scale.Value(position);
    label->setText(QString::fromStdString(TrackBarLabel(scale, position)));
    if (then) then();
  });
  shows_.push_back([bar, &value, scale, label] {
    const QSignalBlocker quiet(bar);
    bar->setValue(scale.Position(value));
    label->setText(QString::fromStdString(TrackBarLabel(scale, bar->value())));
  });
}

void OptionBinders::VolumeBar(QAbstractSlider* bar, std::int32_t& volume, QLabel* label,
                              Then then) {
  Tie(bar, &volume);
  Tie(label, &volume);
  bar->setRange(kVolumeBar.min, kVolumeBar.max);
  bar->setPageStep(kVolumeBar.tick);
  QObject::connect(bar, &QAbstractSlider::actionTriggered, bar, [bar, &volume, label, then] {
    volume = VolumeOf(bar->sliderPosition());
    label->setText(QString::fromStdString(VolumeLabel(bar->sliderPosition())));
    if (then) then();
  });
  shows_.push_back([bar, &volume, label] {
    const QSignalBlocker quiet(bar);
    bar->setValue(VolumePosition(volume));
    label->setText(QString::fromStdString(VolumeLabel(bar->value())));
  });
}

void OptionBinders::LineEdit(QLineEdit* edit, std::string& value, Then then) {
  Tie(edit, &value);
  // Typed, pasted or put there by a browse button: every change as the program's 8-bit text.
  QObject::connect(edit, &QLineEdit::textChanged, edit, [&value, then](const QString& text) {
    value = ToSystemText(text);
    if (then) then();
  });
  shows_.push_back([edit, &value] {
    const QSignalBlocker quiet(edit);
    edit->setText(FromSystemText(value));
  });
}

void OptionBinders::Show() const {
  for (const auto& show : shows_)
    show();
  for (const auto& [control, key] : keyed_)
    control->setEnabled(!offered_ || offered_(*key));
}

}  // namespace kw
