// One line ties a widget of an option window to a declared setting: the widget starts from the
// setting's value, and every change the user makes is written into the record at once. The
// record must outlive the widget. Texts go through the program's 8-bit rule (text_codec.h).
#pragma once

#include <cstddef>
#include <limits>
#include <string>
#include <type_traits>
#include <vector>

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QSpinBox>

#include "core/ini_settings.h"

namespace kw {

namespace binder_detail {

// A widget's int as the field's type: clamped to what the field can hold.
template <class T>
T Narrow(long long value) {
  if constexpr (std::is_same_v<T, bool>) {
    return value != 0;
  } else {
    if (value < static_cast<long long>(std::numeric_limits<T>::min()))
      return std::numeric_limits<T>::min();
    if (value > static_cast<long long>(std::numeric_limits<T>::max()))
      return std::numeric_limits<T>::max();
    return static_cast<T>(value);
  }
}

// The position of `value` in `codes`, -1 when it is none of them.
template <class T>
int IndexOf(const std::vector<T>& codes, const T& value) {
  for (std::size_t i = 0; i < codes.size(); ++i)
    if (codes[i] == value) return static_cast<int>(i);
  return -1;
}

// The Qt side of the binders whose field type is fixed.
void BindCheckBoxTo(QCheckBox* box, bool& value);
void BindLineEditTo(QLineEdit* edit, std::string& value);

}  // namespace binder_detail

template <class Owner>
void BindCheckBox(QCheckBox* box, Owner& owner, const Setting<Owner, bool>& setting) {
  binder_detail::BindCheckBoxTo(box, setting.Of(owner));
}

// Integers: the widget's own range (set by the window) limits what the user can choose.
template <class Owner, class T>
void BindSpinBox(QSpinBox* box, Owner& owner, const Setting<Owner, T>& setting) {
  T& value = setting.Of(owner);
  box->setValue(static_cast<int>(value));
  QObject::connect(box, &QSpinBox::valueChanged, box,
                   [&value](int v) { value = binder_detail::Narrow<T>(v); });
}

template <class Owner, class T>
void BindSlider(QAbstractSlider* slider, Owner& owner, const Setting<Owner, T>& setting) {
  T& value = setting.Of(owner);
  slider->setValue(static_cast<int>(value));
  QObject::connect(slider, &QAbstractSlider::valueChanged, slider,
                   [&value](int v) { value = binder_detail::Narrow<T>(v); });
}

template <class Owner>
void BindLineEdit(QLineEdit* edit, Owner& owner, const Setting<Owner, std::string>& setting) {
  binder_detail::BindLineEditTo(edit, setting.Of(owner));
}

// Entry i of the combo box stands for codes[i]. A stored value that is none of the codes leaves
// the box without a choice and the value as it is, until the user picks one.
template <class Owner, class T>
void BindComboBox(QComboBox* box, Owner& owner, const Setting<Owner, T>& setting,
                  std::vector<T> codes) {
  T& value = setting.Of(owner);
  box->setCurrentIndex(binder_detail::IndexOf(codes, value));
  QObject::connect(box, &QComboBox::currentIndexChanged, box,
                   [&value, codes = std::move(codes)](int index) {
                     if (index >= 0 && static_cast<std::size_t>(index) < codes.size())
                       value = codes[static_cast<std::size_t>(index)];
                   });
}

// Button i of the group stands for codes[i]; the one whose code is stored starts checked.
template <class Owner, class T>
void BindRadioGroup(const std::vector<QAbstractButton*>& buttons, Owner& owner,
                    const Setting<Owner, T>& setting, const std::vector<T>& codes) {
  T& value = setting.Of(owner);
  const int checked = binder_detail::IndexOf(codes, value);
  for (std::size_t i = 0; i < buttons.size() && i < codes.size(); ++i) {
    QAbstractButton* button = buttons[i];
    button->setChecked(static_cast<int>(i) == checked);
    QObject::connect(button, &QAbstractButton::toggled, button,
                     [&value, code = static_cast<T>(codes[i])](bool on) {
                       if (on) value = code;
                     });
  }
}

}  // namespace kw
