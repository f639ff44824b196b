// The report window's find dialog: modeless, searching downwards only, with match case and
// whole word; every press of "Find next" asks the owner to search once.
#pragma once

#include <QDialog>

class QCheckBox;
class QLineEdit;
class QPushButton;

namespace kw {

class TFindDialog : public QDialog {
  Q_OBJECT

 public:
  explicit TFindDialog(QWidget* parent = nullptr);

  QString FindText() const;
  void SetFindText(const QString& text);
  bool MatchCase() const;
  bool WholeWord() const;

  QLineEdit* FindEDT = nullptr;
  QCheckBox* WholeWordCHK = nullptr;
  QCheckBox* MatchCaseCHK = nullptr;
  QPushButton* FindNextBTN = nullptr;
  QPushButton* CancelBTN = nullptr;

 signals:
  void Find();
};

}  // namespace kw
