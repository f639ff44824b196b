#include "ui/options/setting_binders.h"

#include "ui/text_codec.h"

namespace kw::binder_detail {

void BindCheckBoxTo(QCheckBox* box, bool& value) {
  box->setChecked(value);
  QObject::connect(box, &QCheckBox::toggled, box, [&value](bool on) { value = on; });
}

void BindLineEditTo(QLineEdit* edit, std::string& value) {
  edit->setText(FromSystemText(value));
  // Every change, typed or pasted, as the program's 8-bit text.
  QObject::connect(edit, &QLineEdit::textChanged, edit,
                   [&value](const QString& text) { value = ToSystemText(text); });
}

}  // namespace kw::binder_detail
