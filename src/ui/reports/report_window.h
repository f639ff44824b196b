// The report window: every long text result of the program is shown here, with its fonts, and
// can be edited, searched, printed and saved as rich or plain text.
#pragma once

#include <string>
#include <vector>

#include <QDialog>
#include <QString>

#include "core/reports/report_save.h"
#include "core/reports/report_writers.h"
#include "core/shared/report_document.h"

class QAction;
class QMenu;
class QMenuBar;
class QPrinter;
class QTextCharFormat;
class QTextEdit;

namespace kw {

class TFindDialog;
class UserInterface;

class TReportFRM : public QDialog {
  Q_OBJECT

 public:
  // The save dialog's filters, numbered as the dialog numbers them (kRichTextFilter...).
  using enum ReportSaveFilter;

  explicit TReportFRM(QWidget* parent = nullptr);
  ~TReportFRM() override;

  // Where the window's messages go: the program's message boxes (QtUserInterface sets itself).
  void SetUserInterface(UserInterface* ui) { ui_ = ui; }

  // Fills Doc with the report and shows the window modally; returns when the user closed it.
  void ShowReport(const kw::ReportDocument& doc);
  // Fills Doc and takes the report's title and save directory and name, without showing.
  void LoadReport(const kw::ReportDocument& doc);

  // What the editor holds now (the user may have changed it), paragraph by paragraph; each
  // run's text in the Windows code page, or in UTF-8 when that code page cannot hold it.
  std::vector<ReportParagraph> CurrentParagraphs() const;

  // Writes the editor's content to `path` by the save rules of core/reports/report_save.h. A
  // failure is shown in the program's error box and leaves any existing file as it was.
  bool SaveTo(const QString& path, int filter_index);
  // Prints the whole document with the save name as the job's title.
  bool PrintTo(QPrinter& printer);
  // Searches downwards from the end of the selection and selects the match; at the end shows
  // "Search string not found." (captioned like the window) and leaves the caret at the end of
  // the old selection.
  bool FindNext(const QString& text, bool match_case, bool whole_word);

  QTextEdit* Doc = nullptr;
  QMenuBar* ReportMENU = nullptr;
  QMenu* FileSUB = nullptr;
  QAction* SaveToFileOPT = nullptr;
  QAction* PrintSetupOPT = nullptr;
  QAction* PrintOPT = nullptr;
  QAction* CloseOPT = nullptr;
  QMenu* SearchSUB = nullptr;
  QAction* FindOPT = nullptr;

  const QString& ReportTitle() const { return report_title_; }
  const QString& SaveDir() const { return save_dir_; }
  const QString& SaveName() const { return save_name_; }

 public slots:
  void SaveToFileOPTClick();
  void PrintSetupOPTClick();
  void PrintOPTClick();
  void CloseOPTClick();
  void FindOPTClick();
  void FindFind();

 protected:
  void showEvent(QShowEvent* event) override;

 private:
  void FormShow();
  QPrinter& Printer();
  ReportFont FontOf(const QTextCharFormat& format) const;

  QString report_title_;
  QString save_dir_;
  QString save_name_;
  QPrinter* printer_ = nullptr;  // made when first needed: asking for printers can be slow
  TFindDialog* find_ = nullptr;
  UserInterface* ui_ = nullptr;
};

}  // namespace kw
