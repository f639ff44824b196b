#include "ui/browser/search_window.h"

#include <QCheckBox>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

#include "core/browser/search.h"
#include "ui/text_codec.h"

namespace kw {

TSearchFRM::TSearchFRM(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
  setObjectName("SearchFRM");
  setModal(true);
  TextLBL = new QLabel("Text to search for:", this);
  TextLBL->setObjectName("TextLBL");
  Text2find = new QLineEdit(this);
  Text2find->setObjectName("Text2find");
  casesensitive = new QCheckBox("Case sensitive search", this);
  casesensitive->setObjectName("casesensitive");
  SearchModeBOX = new QGroupBox(this);
  SearchModeBOX->setObjectName("SearchModeBOX");
  ExactSearch = new QRadioButton("Matching the specified text", SearchModeBOX);
  ExactSearch->setObjectName("ExactSearch");
  Startingwith = new QRadioButton("Beginning with specified text", SearchModeBOX);
  Startingwith->setObjectName("Startingwith");
  Containing = new QRadioButton("Containing the specified text", SearchModeBOX);
  Containing->setObjectName("Containing");
  auto* modes = new QVBoxLayout(SearchModeBOX);
  modes->addWidget(ExactSearch);
  modes->addWidget(Startingwith);
  modes->addWidget(Containing);
  OkBTN = new QPushButton("OK", this);
  OkBTN->setObjectName("OkBTN");
  OkBTN->setDefault(true);
  CancelBTN = new QPushButton("Cancel", this);
  CancelBTN->setObjectName("CancelBTN");

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  buttons->addWidget(OkBTN);
  buttons->addWidget(CancelBTN);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(TextLBL);
  layout->addWidget(Text2find);
  layout->addWidget(casesensitive);
  layout->addWidget(SearchModeBOX);
  layout->addLayout(buttons);
  setFixedSize(330, 250);

  connect(Text2find, &QLineEdit::textChanged, this, [this] { Text2findChange(); });
  connect(OkBTN, &QPushButton::clicked, this, &QDialog::accept);
  connect(CancelBTN, &QPushButton::clicked, this, &QDialog::reject);
}

void TSearchFRM::Text2findChange() {
  SearchForm probe;
  probe.Text2find = ToSystemText(Text2find->text());
  OkBTN->setEnabled(probe.OkEnabled());
}

void TSearchFRM::Store(SearchForm& form) const {
  form.Text2find = ToSystemText(Text2find->text());
  form.CaseSensitive = casesensitive->isChecked();
  form.Mode = ExactSearch->isChecked()  ? SearchMode::Exact
              : Containing->isChecked() ? SearchMode::Containing
                                        : SearchMode::StartingWith;
}

bool TSearchFRM::Run(SearchForm& form, const std::string& product_name) {
  setWindowTitle(FromSystemText(form.Caption(product_name)));
  SearchModeBOX->setTitle(FromSystemText(form.BoxCaption()));
  Text2find->setText(FromSystemText(form.Text2find));
  Text2find->selectAll();
  Text2find->setFocus();
  casesensitive->setChecked(form.CaseSensitive);
  casesensitive->setEnabled(form.CaseSensitiveEnabled);
  ExactSearch->setChecked(form.Mode == SearchMode::Exact);
  Startingwith->setChecked(form.Mode == SearchMode::StartingWith);
  Containing->setChecked(form.Mode == SearchMode::Containing);
  Text2findChange();
  const bool ok = exec() == QDialog::Accepted;
  // The text, the option and the check box keep their state, OK or Cancel.
  Store(form);
  return ok;
}

}  // namespace kw
