#include "ui/reports/report_window.h"

#include <cmath>
#include <string_view>

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QShowEvent>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTextList>
#include <QVBoxLayout>

#include "core/reports/report_find.h"
#include "core/user_interface.h"
#include "ui/reports/find_dialog.h"
#include "ui/text_codec.h"
#include "ui/window_placement.h"

namespace kw {

namespace {

constexpr int kClientWidth = 720;
constexpr int kClientHeight = 504;

QTextCharFormat CharFormatOf(const ReportFont& font) {
  QTextCharFormat format;
  format.setFontFamilies(QStringList{FromSystemText(font.face)});
  format.setFontPointSize(font.size > 0 ? font.size : 8);
  format.setFontWeight((font.style & kStyleBold) ? QFont::Bold : QFont::Normal);
  format.setFontItalic((font.style & kStyleItalic) != 0);
  format.setFontUnderline((font.style & kStyleUnderline) != 0);
  format.setFontStrikeOut((font.style & kStyleStrikeOut) != 0);
  format.setForeground(QColor(static_cast<int>(font.color & 0xFF),
                              static_cast<int>((font.color >> 8) & 0xFF),
                              static_cast<int>((font.color >> 16) & 0xFF)));
  return format;
}

Qt::Alignment QtAlignment(Alignment alignment) {
  switch (alignment) {
    case Alignment::Right:
      return Qt::AlignRight;
    case Alignment::Center:
      return Qt::AlignHCenter;
    case Alignment::Left:
      break;
  }
  return Qt::AlignLeft;
}

Alignment ReportAlignment(Qt::Alignment alignment) {
  const Qt::Alignment horizontal = alignment & Qt::AlignHorizontal_Mask;
  if (horizontal & Qt::AlignHCenter) return Alignment::Center;
  if (horizontal & (Qt::AlignRight | Qt::AlignTrailing)) return Alignment::Right;
  return Alignment::Left;
}

// The document's text with one '\n' per paragraph break: one UTF-16 unit per position of the
// document, so that a match found in it is selected where it stands.
QString SearchableText(const QTextDocument& document) {
  QString text;
  text.reserve(document.characterCount());
  for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
    if (block != document.begin()) text += QChar('\n');
    text += block.text();
  }
  text.replace(QChar::LineSeparator, QChar('\n'));
  return text;
}

std::u16string_view Utf16(const QString& text) {
  return {reinterpret_cast<const char16_t*>(text.utf16()), static_cast<std::size_t>(text.size())};
}

}  // namespace

TReportFRM::TReportFRM(QWidget* parent) : QDialog(parent) {
  setObjectName("ReportFRM");
  setWindowTitle("Report");
  setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                 Qt::WindowSystemMenuHint | Qt::WindowMaximizeButtonHint |
                 Qt::WindowCloseButtonHint);
  setFont(QFont("MS Sans Serif", 8));

  ReportMENU = new QMenuBar(this);
  ReportMENU->setObjectName("ReportMENU");
  FileSUB = ReportMENU->addMenu("&Report");
  FileSUB->setObjectName("FileSUB");
  auto add = [this](QMenu* menu, const char* name, const QString& caption,
                    const QKeySequence& shortcut, void (TReportFRM::*handler)()) {
    QAction* action = menu->addAction(caption);
    action->setObjectName(name);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, handler);
    return action;
  };
  SaveToFileOPT = add(FileSUB, "SaveToFileOPT", "S&ave as...", QKeySequence(Qt::ALT | Qt::Key_A),
                      &TReportFRM::SaveToFileOPTClick);
  FileSUB->addSeparator();
  PrintSetupOPT = add(FileSUB, "PrintSetupOPT", "Printer &setup", QKeySequence(Qt::ALT | Qt::Key_S),
                      &TReportFRM::PrintSetupOPTClick);
  PrintOPT = add(FileSUB, "PrintOPT", "&Print...", QKeySequence(Qt::ALT | Qt::Key_P),
                 &TReportFRM::PrintOPTClick);
  FileSUB->addSeparator();
  CloseOPT = add(FileSUB, "CloseOPT", "Close", QKeySequence(Qt::ALT | Qt::Key_F4),
                 &TReportFRM::CloseOPTClick);
  SearchSUB = ReportMENU->addMenu("S&earch");
  SearchSUB->setObjectName("SearchSUB");
  FindOPT = add(SearchSUB, "FindOPT", "&Find", QKeySequence(Qt::ALT | Qt::Key_F),
                &TReportFRM::FindOPTClick);

  Doc = new QTextEdit(this);
  Doc->setObjectName("Doc");
  Doc->setAcceptRichText(true);
  Doc->setReadOnly(false);
  Doc->setLineWrapMode(QTextEdit::WidgetWidth);
  Doc->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Doc->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
  Doc->setFont(QFont("Courier New", 8));
  Doc->document()->setDefaultFont(QFont("Courier New", 8));
  // The selection stays visible while the find dialog has the focus.
  QPalette palette = Doc->palette();
  for (QPalette::ColorRole role : {QPalette::Highlight, QPalette::HighlightedText}) {
    palette.setColor(QPalette::Inactive, role, palette.color(QPalette::Active, role));
  }
  Doc->setPalette(palette);

  // The editor fills the client area below the menu with 8 pixels left and top and 10 right
  // and bottom: what the original outer-size rule (width - 26, height - 64 at 8, 8) leaves
  // around it once the caption, menu and borders are taken off. A layout keeps it so on resize.
  auto* layout = new QVBoxLayout(this);
  layout->setMenuBar(ReportMENU);
  layout->setContentsMargins(8, 8, 10, 10);
  layout->addWidget(Doc);

  resize(kClientWidth, kClientHeight + ReportMENU->sizeHint().height());
}

TReportFRM::~TReportFRM() {
  delete printer_;
}

void TReportFRM::ShowReport(const ReportDocument& doc) {
  LoadReport(doc);
  exec();
}

void TReportFRM::LoadReport(const ReportDocument& doc) {
  report_title_ = FromSystemText(doc.ReportTitle);
  save_dir_ = FromSystemText(doc.SaveDir);
  save_name_ = FromSystemText(doc.SaveName);

  QTextDocument* document = Doc->document();
  document->setUndoRedoEnabled(false);
  document->clear();
  QTextCursor cursor(document);
  cursor.beginEditBlock();
  bool first = true;
  QTextList* list = nullptr;
  for (const ReportLine& line : doc.Lines()) {
    QTextBlockFormat block_format;
    block_format.setAlignment(QtAlignment(line.alignment));
    const QTextCharFormat char_format = CharFormatOf(line.font);
    // Breaks inside a line (emulator output) start new paragraphs in the same format.
    const QStringList parts = FromSystemText(line.text).split(QRegularExpression("\r\n|\r|\n"));
    for (const QString& part : parts) {
      if (first) {
        cursor.setBlockFormat(block_format);
        cursor.setBlockCharFormat(char_format);
        first = false;
      } else {
        cursor.insertBlock(block_format, char_format);
      }
      if (!line.bullet) {
        list = nullptr;
      } else if (list == nullptr) {
        QTextListFormat list_format;
        list_format.setStyle(QTextListFormat::ListDisc);
        list = cursor.createList(list_format);
      } else {
        list->add(cursor.block());
      }
      cursor.insertText(part, char_format);
    }
  }
  cursor.endEditBlock();
  document->setUndoRedoEnabled(true);
  document->setModified(false);
  Doc->setTextCursor(QTextCursor(document));
}

std::vector<ReportParagraph> TReportFRM::CurrentParagraphs() const {
  std::vector<ReportParagraph> paragraphs;
  const QTextDocument* document = Doc->document();
  for (QTextBlock block = document->begin(); block.isValid(); block = block.next()) {
    ReportParagraph paragraph;
    paragraph.alignment = ReportAlignment(block.blockFormat().alignment());
    paragraph.bullet = block.textList() != nullptr;
    // Fragments in the same font make one run; its text is encoded as a whole, so that a run
    // is all Windows-1252 or all UTF-8.
    QList<QString> texts;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
      const QTextFragment fragment = it.fragment();
      if (!fragment.isValid()) continue;
      QString text = fragment.text();
      text.replace(QChar::LineSeparator, QChar('\n'));
      text.remove(QChar::ObjectReplacementCharacter);  // pictures pasted in have no text
      if (text.isEmpty()) continue;
      const ReportFont font = FontOf(fragment.charFormat());
      if (!paragraph.runs.empty() && paragraph.runs.back().font == font) {
        texts.back() += text;
      } else {
        paragraph.runs.push_back(ReportRun{font, {}});
        texts.push_back(text);
      }
    }
    for (qsizetype i = 0; i < texts.size(); ++i)
      paragraph.runs[static_cast<std::size_t>(i)].text = ToSystemText(texts[i]);
    // An empty paragraph is as high as its own format; a filled one ends in its last font.
    paragraph.mark_font =
        paragraph.runs.empty() ? FontOf(block.charFormat()) : paragraph.runs.back().font;
    paragraphs.push_back(std::move(paragraph));
  }
  return paragraphs;
}

ReportFont TReportFRM::FontOf(const QTextCharFormat& format) const {
  const QFont font = format.font().resolve(Doc->document()->defaultFont());
  ReportFont result;
  result.face = ToSystemText(font.family());
  if (font.pointSizeF() > 0) {
    result.size = static_cast<int>(std::lround(font.pointSizeF()));
  } else if (font.pixelSize() > 0) {
    result.size = static_cast<int>(std::lround(font.pixelSize() * 72.0 / Doc->logicalDpiY()));
  }
  result.style = (font.bold() ? kStyleBold : 0u) | (font.italic() ? kStyleItalic : 0u) |
                 (font.underline() ? kStyleUnderline : 0u) |
                 (font.strikeOut() ? kStyleStrikeOut : 0u);
  if (format.foreground().style() != Qt::NoBrush) {
    const QColor color = format.foreground().color();
    result.color = static_cast<std::uint32_t>(color.red()) |
                   (static_cast<std::uint32_t>(color.green()) << 8) |
                   (static_cast<std::uint32_t>(color.blue()) << 16);
  }
  return result;
}

bool TReportFRM::SaveTo(const QString& path, int filter_index) {
  // The name as the file system holds it, not as the program's 8-bit texts are kept.
  const Result<std::string> saved =
      SaveReport(QFile::encodeName(path).toStdString(), filter_index, CurrentParagraphs());
  if (!saved && ui_) ui_->Ask(saved.Message(), MsgIcon::Error);
  return saved.Ok();
}

bool TReportFRM::PrintTo(QPrinter& printer) {
  printer.setDocName(save_name_);
  Doc->document()->print(&printer);
  return printer.printerState() != QPrinter::Error;
}

bool TReportFRM::FindNext(const QString& text, bool match_case, bool whole_word) {
  QTextCursor cursor = Doc->textCursor();
  const int from = cursor.selectionEnd();
  cursor.setPosition(from);
  Doc->setTextCursor(cursor);

  // Searched as the editor holds it: every character stays itself, whatever the code page.
  const QString document_text = SearchableText(*Doc->document());
  const auto found = FindInText(Utf16(document_text), Utf16(text), static_cast<std::size_t>(from),
                                {match_case, whole_word});
  if (!found) {
    if (ui_)
      ui_->AskCaptioned(ToSystemText(windowTitle()), "Search string not found.", MsgIcon::Warning);
    return false;
  }
  cursor.setPosition(static_cast<int>(*found));
  cursor.setPosition(static_cast<int>(*found) + static_cast<int>(text.size()),
                     QTextCursor::KeepAnchor);
  Doc->setTextCursor(cursor);
  Doc->ensureCursorVisible();
  return true;
}

void TReportFRM::SaveToFileOPTClick() {
  const QStringList filters = {"Rich Text Format (*.RTF)", "Plain text (*.TXT)", "All files (*.*)"};
  QFileDialog dialog(this, "Save as...");
  // Qt's own dialog: it matches *.RTF against report.rtf too and adds the extension of the
  // chosen filter before it asks about overwriting.
  dialog.setOption(QFileDialog::DontUseNativeDialog);
  dialog.setAcceptMode(QFileDialog::AcceptSave);
  dialog.setFileMode(QFileDialog::AnyFile);
  dialog.setFilter(dialog.filter() & ~QDir::CaseSensitive);
  dialog.setNameFilters(filters);
  dialog.selectNameFilter(filters.front());
  dialog.setDefaultSuffix("RTF");
  connect(&dialog, &QFileDialog::filterSelected, &dialog, [&dialog, &filters](const QString& f) {
    dialog.setDefaultSuffix(f == filters.front() ? "RTF" : "TXT");
  });
  if (!save_dir_.isEmpty()) dialog.setDirectory(save_dir_);
  dialog.selectFile(save_name_);
  if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return;
  SaveTo(dialog.selectedFiles().front(),
         static_cast<int>(filters.indexOf(dialog.selectedNameFilter())) + 1);
}

void TReportFRM::PrintSetupOPTClick() {
  QPageSetupDialog dialog(&Printer(), this);
  dialog.exec();
}

void TReportFRM::PrintOPTClick() {
  QPrintDialog dialog(&Printer(), this);
  if (dialog.exec() == QDialog::Accepted) PrintTo(Printer());
}

void TReportFRM::CloseOPTClick() {
  reject();
}

void TReportFRM::FindOPTClick() {
  if (find_ == nullptr) {
    find_ = new TFindDialog(this);
    connect(find_, &TFindDialog::Find, this, &TReportFRM::FindFind);
  }
  // The selection (up to its first line break) is what the user wants to find.
  QString selected = Doc->textCursor().selectedText();
  selected = selected.left(selected.indexOf(QChar::ParagraphSeparator));
  find_->SetFindText(selected);
  find_->show();
  find_->raise();
  find_->activateWindow();
}

void TReportFRM::FindFind() {
  if (find_ == nullptr || find_->FindText().isEmpty()) return;
  FindNext(find_->FindText(), find_->MatchCase(), find_->WholeWord());
}

void TReportFRM::showEvent(QShowEvent* event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void TReportFRM::FormShow() {
  setWindowTitle(report_title_.isEmpty() ? QString("Report") : report_title_);
  if (!isMaximized()) CentreOnScreen(this);
  Doc->moveCursor(QTextCursor::Start);
  Doc->ensureCursorVisible();
  Doc->setFocus();
}

QPrinter& TReportFRM::Printer() {
  if (printer_ == nullptr) printer_ = new QPrinter(QPrinter::HighResolution);
  return *printer_;
}

}  // namespace kw
