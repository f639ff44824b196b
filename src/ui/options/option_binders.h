// The option windows' controls tied to their declared settings, one line per control: each
// binding stores every change the user makes into the record at once (then runs the window's
// follow-up, such as ShowConfigInWindows), and Show() puts the record back into every control
// without storing anything. What showing a window stores is the core's (the option windows'
// controller, the Preferences controller), done before Show(); a list value that no entry
// stands for is shown as no entry and kept.
#pragma once

#include <QAbstractButton>
#include <QAbstractSlider>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QStringList>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/options/option_lists.h"
#include "core/options/option_windows.h"
#include "core/shared/emulator_config.h"

namespace kw {

class OptionBinders {
 public:
  using Then = std::function<void()>;

  // With the record the controls are bound to, a control bound to one of its options is
  // disabled when `offered` says the open profile's emulator has no such option; it is asked at
  // every showing, as another profile may have opened since.
  OptionBinders() = default;
  OptionBinders(const EmulatorConfig& config, std::function<bool(const EmulatorKey&)> offered)
      : config_(&config), offered_(std::move(offered)) {}

  // Check boxes and toggle buttons.
  void CheckBox(QAbstractButton* box, bool& value, Then then = {});
  // A drop-down list with its code list: entry i stands for codes[i].
  template <class T>
  void ComboBox(QComboBox* box, T& value, const CodeList<T>& list, Then then = {}) {
    box->clear();
    for (const std::string& text : list.texts)
      box->addItem(QString::fromStdString(text));
    Tie(box, &value);
    QObject::connect(box, &QComboBox::activated, box, [&value, list, then](int index) {
      if (auto code = list.CodeAt(index)) value = *code;
      if (then) then();
    });
    shows_.push_back([box, &value, list] {
      const QSignalBlocker quiet(box);
      box->setCurrentIndex(list.IndexOf(value));
    });
  }
  // A track bar over a real option, with its label.
  void TrackBar(QAbstractSlider* bar, float& value, const kw::TrackBar& scale, QLabel* label,
                Then then = {});
  // The volume bar: its position is minus the volume.
  void VolumeBar(QAbstractSlider* bar, std::int32_t& volume, QLabel* label, Then then = {});
  // An edit field: its text on every change.
  void LineEdit(QLineEdit* edit, std::string& value, Then then = {});
  // A group of radio buttons: button i stands for codes[i].
  template <class T>
  void RadioGroup(const std::vector<QAbstractButton*>& buttons, T& value, std::vector<T> codes,
                  Then then = {}) {
    for (std::size_t i = 0; i < buttons.size() && i < codes.size(); ++i) {
      Tie(buttons[i], &value);
      QObject::connect(buttons[i], &QAbstractButton::clicked, buttons[i],
                       [&value, code = static_cast<T>(codes[i]), then] {
                         value = code;
                         if (then) then();
                       });
    }
    shows_.push_back([buttons, &value, codes] {
      for (std::size_t i = 0; i < buttons.size() && i < codes.size(); ++i) {
        const QSignalBlocker quiet(buttons[i]);
        buttons[i]->setChecked(codes[i] == value);
      }
    });
  }

  // Every bound control from the record, storing nothing; a control of an option not offered
  // is disabled, the others enabled (the window's own enabling rules then follow).
  void Show() const;
  // Disables again the controls of options not offered: for the end of a window's own rules.
  void DisableMissing() const;
  // Another control that goes with the option whose field is `field` (a browse button): offered
  // with it. Every binding does this for its own control.
  void Tie(QWidget* control, const void* field);

 private:
  const EmulatorConfig* config_ = nullptr;
  std::function<bool(const EmulatorKey&)> offered_;
  std::vector<std::function<void()>> shows_;
  std::vector<std::pair<QWidget*, const EmulatorKey*>> keyed_;
};

}  // namespace kw
