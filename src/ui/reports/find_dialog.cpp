#include "ui/reports/find_dialog.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace kw {

TFindDialog::TFindDialog(QWidget* parent) : QDialog(parent) {
  setObjectName("Find");
  setWindowTitle("Find");
  setModal(false);
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowCloseButtonHint);

  auto* label = new QLabel("Fi&nd what:", this);
  FindEDT = new QLineEdit(this);
  FindEDT->setObjectName("FindEDT");
  FindEDT->setMinimumWidth(200);
  label->setBuddy(FindEDT);
  WholeWordCHK = new QCheckBox("Whole &word", this);
  WholeWordCHK->setObjectName("WholeWordCHK");
  MatchCaseCHK = new QCheckBox("Match &case", this);
  MatchCaseCHK->setObjectName("MatchCaseCHK");
  FindNextBTN = new QPushButton("&Find next", this);
  FindNextBTN->setObjectName("FindNextBTN");
  FindNextBTN->setDefault(true);
  CancelBTN = new QPushButton("Cancel", this);
  CancelBTN->setObjectName("CancelBTN");

  auto* grid = new QGridLayout(this);
  grid->addWidget(label, 0, 0);
  grid->addWidget(FindEDT, 0, 1);
  grid->addWidget(WholeWordCHK, 1, 0, 1, 2);
  grid->addWidget(MatchCaseCHK, 2, 0, 1, 2);
  auto* buttons = new QVBoxLayout;
  buttons->addWidget(FindNextBTN);
  buttons->addWidget(CancelBTN);
  buttons->addStretch();
  grid->addLayout(buttons, 0, 2, 3, 1);
  grid->setSizeConstraint(QLayout::SetFixedSize);

  // Like the system's find dialog: nothing to search for, nothing to press.
  FindNextBTN->setEnabled(false);
  connect(FindEDT, &QLineEdit::textChanged, this,
          [this](const QString& text) { FindNextBTN->setEnabled(!text.isEmpty()); });
  connect(FindNextBTN, &QPushButton::clicked, this, &TFindDialog::Find);
  connect(CancelBTN, &QPushButton::clicked, this, &QDialog::reject);
}

QString TFindDialog::FindText() const {
  return FindEDT->text();
}

void TFindDialog::SetFindText(const QString& text) {
  FindEDT->setText(text);
  FindEDT->selectAll();
}

bool TFindDialog::MatchCase() const {
  return MatchCaseCHK->isChecked();
}

bool TFindDialog::WholeWord() const {
  return WholeWordCHK->isChecked();
}

}  // namespace kw
