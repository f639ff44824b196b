// The search window (TSearchFRM): the text, the case switch and the three modes of a search,
// over the search controller's form.
#pragma once

#include <QDialog>
#include <string>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

namespace kw {

struct SearchForm;

class TSearchFRM : public QDialog {
 public:
  explicit TSearchFRM(QWidget* parent = nullptr);

  // Shows the window modally over the form (FormShow); the form holds the window's state when
  // it closes. True for OK.
  bool Run(SearchForm& form, const std::string& product_name);

  QLabel* TextLBL;
  QLineEdit* Text2find;
  QCheckBox* casesensitive;
  QGroupBox* SearchModeBOX;
  QRadioButton* ExactSearch;
  QRadioButton* Startingwith;
  QRadioButton* Containing;
  QPushButton* OkBTN;
  QPushButton* CancelBTN;

 private:
  void Text2findChange();
  void Store(SearchForm& form) const;
};

}  // namespace kw
