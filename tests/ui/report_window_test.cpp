// The report window on real files: fonts shown, saving by filter, the downward find, printing.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFontInfo>
#include <QLineEdit>
#include <QPrinter>
#include <QProcess>
#include <QPushButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QtTest>

#include "core/reports/report_writers.h"
#include "core/shared/app_names.h"
#include "support/scripted_ui.h"
#include "ui/reports/find_dialog.h"
#include "ui/reports/report_window.h"

namespace {

struct Message {
  QString title;
  QString text;
  kw::MsgIcon icon;
};

// The program's message boxes, recorded instead of shown.
class RecordingUi : public kw::test::ScriptedUi {
 public:
  QList<Message> shown;

  kw::MsgAnswer Ask(const std::string& text, kw::MsgIcon icon, kw::MsgButtons) override {
    shown.push_back({kw::kProductName, QString::fromStdString(text), icon});
    return kw::MsgAnswer::Ok;
  }
  kw::MsgAnswer AskCaptioned(const std::string& caption, const std::string& text,
                             kw::MsgIcon icon) override {
    shown.push_back({QString::fromStdString(caption), QString::fromStdString(text), icon});
    return kw::MsgAnswer::Ok;
  }
};

// The window with its messages going to the recording stand-in.
class ReportWindow : public kw::TReportFRM {
 public:
  ReportWindow() { SetUserInterface(&ui); }
  RecordingUi ui;
  QList<Message>& messages = ui.shown;
};

// The report of a profile creation, built the way its caller builds it.
kw::ReportDocument ProfileReport() {
  kw::ReportDocument doc;
  doc.ReportTitle = "Kestrelwing - profile creation report";
  doc.SaveDir = QDir::tempPath().toStdString() + "/";
  doc.SaveName = "profile_report";
  doc.ClearReport();
  doc.SetParagraph(kw::Alignment::Center, false);
  doc.SetTextFont("Times New Roman", kw::kColorBlack, kw::kStyleBold | kw::kStyleItalic, 14);
  doc.AddLine("Profile creation errors");
  doc.SetParagraph(kw::Alignment::Left, false);
  doc.SetTextFont("Courier New", kw::kColorBlack, kw::kStyleRegular, 8);
  doc.AddLine("");
  doc.AddLine("Tag unknown: GAME\\FOO");
  doc.AddLine("\"(\" expected after GAME tag but NAME found");
  doc.AddLine("Value not allowed: GAME\\ROM\\FLAGS=NODUMP");
  doc.AddLine("Tag not allowed: GAME\\VIDEO\\NAME");
  return doc;
}

QByteArray ReadFile(const QString& path) {
  QFile file(path);
  return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

QByteArray Bytes(const std::string& text) {
  return QByteArray::fromStdString(text);
}

}  // namespace

class ReportWindowTest : public QObject {
  Q_OBJECT

 private slots:
  void ShowsTheReportWithItsFonts();
  void EditorContentConvertsBackToTheReport();
  void SaveFollowsTheFilterOfEachSave();
  void SaveDialogStartsAtTheReportsNameAndFollowsItsFilter();
  void SaveFailureIsShownAndReported();
  void FindWalksDownwardsAndEndsWithNotFound();
  void FindKeepsCharactersOutsideTheCodePage();
  void SavesCharactersOutsideTheCodePage();
  void PrintsTheDocumentToPdf();
};

void ReportWindowTest::ShowsTheReportWithItsFonts() {
  ReportWindow window;
  QCOMPARE(window.windowTitle(), QString("Report"));
  QVERIFY(!(window.windowFlags() & Qt::WindowMinimizeButtonHint));
  QVERIFY(window.windowFlags() & Qt::WindowMaximizeButtonHint);
  QCOMPARE(window.findChild<QAction*>("SaveToFileOPT")->shortcut(),
           QKeySequence(Qt::ALT | Qt::Key_A));
  QCOMPARE(window.findChild<QAction*>("FindOPT")->text(), QString("&Find"));

  // Shown modally: the caption is the report's title and the view starts at the top.
  window.Doc->moveCursor(QTextCursor::End);
  QString caption;
  int caret = -1;
  bool modal = false;
  QTimer::singleShot(0, &window, [&] {
    caption = window.windowTitle();
    caret = window.Doc->textCursor().position();
    modal = window.isModal() && window.isVisible();
    window.CloseOPT->trigger();
  });
  window.ShowReport(ProfileReport());
  QCOMPARE(caption, QString("Kestrelwing - profile creation report"));
  QCOMPARE(caret, 0);
  QVERIFY(modal);
  QCOMPARE(window.result(), int(QDialog::Rejected));

  const QTextDocument* document = window.Doc->document();
  QCOMPARE(document->blockCount(), 6);
  const QTextBlock title = document->firstBlock();
  QCOMPARE(title.text(), QString("Profile creation errors"));
  QCOMPARE(title.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
  const QTextCharFormat title_format = title.begin().fragment().charFormat();
  QCOMPARE(title_format.font().family(), QString("Times New Roman"));
  QCOMPARE(title_format.fontPointSize(), 14.0);
  const QFontInfo title_font(title_format.font());
  QVERIFY(title_font.bold());
  QVERIFY(title_font.italic());
  QVERIFY(!title_font.fixedPitch());

  // The blank line after the title has the body's font, so it is as high as a body line.
  const QTextBlock blank = title.next();
  QVERIFY(blank.text().isEmpty());
  QCOMPARE(blank.charFormat().font().family(), QString("Courier New"));
  QCOMPARE(blank.charFormat().fontPointSize(), 8.0);
  QVERIFY(blank.layout()->boundingRect().height() < title.layout()->boundingRect().height());

  const QTextBlock body = blank.next();
  QCOMPARE(body.text(), QString("Tag unknown: GAME\\FOO"));
  QCOMPARE(body.blockFormat().alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
  const QFontInfo body_font(body.begin().fragment().charFormat().font());
  QVERIFY(body_font.fixedPitch());
  QVERIFY(!body_font.bold());
}

void ReportWindowTest::EditorContentConvertsBackToTheReport() {
  kw::ReportDocument doc = ProfileReport();
  doc.SetTextFont("Times New Roman", kw::kColorBlack, kw::kStyleBold, 10);
  doc.AddLine("High scores");
  doc.SetTextFont("Arial", 0xFF0000, kw::kStyleUnderline | kw::kStyleStrikeOut, 9);
  doc.SetParagraph(kw::Alignment::Right, false);
  doc.AddLine("blue, right: caf\xE9 {x} \\y");
  doc.SetParagraph(kw::Alignment::Left, true);
  doc.AddLine("first bullet");
  doc.AddLine("second bullet");
  ReportWindow window;
  window.LoadReport(doc);
  QCOMPARE(QString::fromStdString(kw::WriteReportRtf(window.CurrentParagraphs())),
           QString::fromStdString(kw::WriteReportRtf(doc)));
  QVERIFY(window.CurrentParagraphs() == kw::ToParagraphs(doc));

  // Texts are shown decoded: UTF-8 where valid, Windows-1252 otherwise; breaks inside a line
  // become paragraphs.
  kw::ReportDocument texts;
  texts.AddLine("caf\xC3\xA9");
  texts.AddLine("\x80");
  texts.AddLine("one\r\ntwo");
  window.LoadReport(texts);
  QCOMPARE(window.Doc->toPlainText(), QString::fromUtf8("caf\xC3\xA9\n\xE2\x82\xAC\none\ntwo"));
}

void ReportWindowTest::SaveFollowsTheFilterOfEachSave() {
  QTemporaryDir dir;
  ReportWindow window;
  const kw::ReportDocument doc = ProfileReport();
  window.LoadReport(doc);

  QVERIFY(window.SaveTo(dir.filePath("report"), kw::TReportFRM::kRichTextFilter));
  QCOMPARE(ReadFile(dir.filePath("report.RTF")), Bytes(kw::WriteReportRtf(doc)));
  QVERIFY(window.SaveTo(dir.filePath("report"), kw::TReportFRM::kPlainTextFilter));
  QCOMPARE(ReadFile(dir.filePath("report.TXT")), Bytes(kw::WriteReportText(doc)));
  // Rich text again after plain text, over the existing file.
  QVERIFY(window.SaveTo(dir.filePath("report"), kw::TReportFRM::kRichTextFilter));
  QCOMPARE(ReadFile(dir.filePath("report.RTF")), Bytes(kw::WriteReportRtf(doc)));
  // "All files" writes plain text; a typed extension is kept whatever the content.
  QVERIFY(window.SaveTo(dir.filePath("all"), kw::TReportFRM::kAllFilesFilter));
  QCOMPARE(ReadFile(dir.filePath("all.TXT")), Bytes(kw::WriteReportText(doc)));
  QVERIFY(window.SaveTo(dir.filePath("typed.doc"), kw::TReportFRM::kRichTextFilter));
  QVERIFY(ReadFile(dir.filePath("typed.doc")).startsWith("{\\rtf1\\ansi\\ansicpg1252"));
  QVERIFY(window.messages.isEmpty());

  // What is saved is what the editor holds now, with its fonts.
  QTextCursor cursor(window.Doc->document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(" (edited)");
  QVERIFY(window.SaveTo(dir.filePath("edited"), kw::TReportFRM::kRichTextFilter));
  const QByteArray rtf = ReadFile(dir.filePath("edited.RTF"));
  QVERIFY(
      rtf.contains("\\pard\\qc \\f0\\fs28\\cf1\\b\\i\\ulnone\\strike0 Profile creation errors"));
  QVERIFY(rtf.contains("Tag not allowed: GAME\\\\VIDEO\\\\NAME (edited)\\par"));
  QVERIFY(window.SaveTo(dir.filePath("edited"), kw::TReportFRM::kPlainTextFilter));
  QVERIFY(ReadFile(dir.filePath("edited.TXT")).endsWith("GAME\\VIDEO\\NAME (edited)\r\n"));
}

void ReportWindowTest::SaveDialogStartsAtTheReportsNameAndFollowsItsFilter() {
  QTemporaryDir dir;
  kw::ReportDocument doc = ProfileReport();
  doc.SaveDir = QDir(dir.path()).filePath("").toStdString();
  ReportWindow window;
  window.LoadReport(doc);
  // Answers the dialog as a user would: keeps the offered name, picks "Plain text", saves.
  QString title, offered_dir, offered_name;
  auto answer = [&](int filter) {
    auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
    if (dialog == nullptr) return;
    title = dialog->windowTitle();
    offered_dir = dialog->directory().absolutePath();
    offered_name = dialog->findChild<QLineEdit*>("fileNameEdit")->text();
    auto* types = dialog->findChild<QComboBox*>("fileTypeCombo");
    types->setCurrentIndex(filter);
    // What the combo box signals when the user picks an entry.
    emit types->activated(filter);
    emit types->textActivated(types->currentText());
    QMetaObject::invokeMethod(dialog, "accept");
  };
  QTimer::singleShot(0, &window, [&] { answer(1); });
  window.SaveToFileOPT->trigger();
  QCOMPARE(title, QString("Save as..."));
  QCOMPARE(offered_dir, QDir(dir.path()).absolutePath());
  QCOMPARE(offered_name, QString("profile_report"));
  QCOMPARE(ReadFile(dir.filePath("profile_report.TXT")), Bytes(kw::WriteReportText(doc)));
  QTimer::singleShot(0, &window, [&] { answer(0); });
  window.SaveToFileOPT->trigger();
  QCOMPARE(ReadFile(dir.filePath("profile_report.RTF")), Bytes(kw::WriteReportRtf(doc)));
  QVERIFY(window.messages.isEmpty());
}

void ReportWindowTest::SaveFailureIsShownAndReported() {
  QTemporaryDir dir;
  QFile blocker(dir.filePath("blocker"));
  QVERIFY(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  ReportWindow window;
  window.LoadReport(ProfileReport());
  const QString path = dir.filePath("blocker/report");
  QVERIFY(!window.SaveTo(path, kw::TReportFRM::kRichTextFilter));
  QCOMPARE(window.messages.size(), 1);
  QCOMPARE(window.messages[0].title, QString("Kestrelwing"));
  QCOMPARE(window.messages[0].icon, kw::MsgIcon::Error);
  QVERIFY2(window.messages[0].text.startsWith("Cannot create file \"" + path + ".RTF\". "),
           qPrintable(window.messages[0].text));
  QCOMPARE(QFileInfo(dir.filePath("blocker")).size(), 0);
}

void ReportWindowTest::FindWalksDownwardsAndEndsWithNotFound() {
  kw::ReportDocument doc = ProfileReport();
  doc.AddLine("name game GAMES");
  ReportWindow window;
  window.LoadReport(doc);
  window.show();
  const QString text = window.Doc->toPlainText();

  QList<int> found;
  while (window.FindNext("game", false, false)) {
    const QTextCursor cursor = window.Doc->textCursor();
    QCOMPARE(cursor.selectedText().toLower(), QString("game"));
    found.push_back(cursor.selectionStart());
    QVERIFY(found.size() < 20);
  }
  QList<int> expected;
  for (int pos = text.indexOf("game", 0, Qt::CaseInsensitive); pos >= 0;
       pos = text.indexOf("game", pos + 4, Qt::CaseInsensitive)) {
    expected.push_back(pos);
  }
  QCOMPARE(expected.size(), 6);
  QCOMPARE(found, expected);
  // After the last match: the message, captioned like the window, and the caret stays at the
  // end of the last match; there is no wrap-around to the top.
  QCOMPARE(window.messages.size(), 1);
  QCOMPARE(window.messages[0].text, QString("Search string not found."));
  QCOMPARE(window.messages[0].title, QString("Kestrelwing - profile creation report"));
  QCOMPARE(window.messages[0].icon, kw::MsgIcon::Warning);
  QVERIFY(!window.Doc->textCursor().hasSelection());
  QCOMPARE(window.Doc->textCursor().position(), expected.back() + 4);
  QVERIFY(!window.FindNext("Profile", false, false));

  // Match case and whole word.
  window.Doc->moveCursor(QTextCursor::Start);
  QVERIFY(window.FindNext("game", true, true));
  QCOMPARE(window.Doc->textCursor().selectionStart(), text.lastIndexOf("game"));
  window.Doc->moveCursor(QTextCursor::Start);
  QVERIFY(window.FindNext("GAME", true, true));
  QCOMPARE(window.Doc->textCursor().selectionStart(), text.indexOf("GAME\\FOO"));

  // Through the find dialog: the selection becomes the search text, "Find next" goes on.
  window.Doc->moveCursor(QTextCursor::Start);
  QVERIFY(window.FindNext("NAME", true, false));
  const int first_name = window.Doc->textCursor().selectionStart();
  window.FindOPT->trigger();
  auto* find = window.findChild<kw::TFindDialog*>();
  QVERIFY(find != nullptr);
  QVERIFY(find->isVisible());
  QCOMPARE(find->FindEDT->text(), QString("NAME"));
  find->MatchCaseCHK->setChecked(true);
  QTest::mouseClick(find->FindNextBTN, Qt::LeftButton);
  QCOMPARE(window.Doc->textCursor().selectionStart(), text.indexOf("NAME", first_name + 1));
  QVERIFY(window.Doc->textCursor().selectionStart() > first_name);
}

void ReportWindowTest::FindKeepsCharactersOutsideTheCodePage() {
  kw::ReportDocument doc = ProfileReport();
  // Chinese, Japanese, a question mark, an emoji (two UTF-16 units): UTF-8 lines as the window
  // saves them.
  doc.AddLine(
      "\xE4\xB8\xAD\xE6\x96\x87 \xE6\x97\xA5\xE6\x9C\xAC? \xF0\x9F\x98\x80 "
      "\xE6\x97\xA5\xE6\x9C\xAC\xE8\xAA\x9E");
  ReportWindow window;
  window.LoadReport(doc);
  const QString text = window.Doc->toPlainText();
  const QString japan = QString::fromUtf8("\xE6\x97\xA5\xE6\x9C\xAC");

  // "?" is the question mark only, not every character the code page lacks.
  QVERIFY(window.FindNext("?", false, false));
  QCOMPARE(window.Doc->textCursor().selectionStart(), int(text.indexOf('?')));
  QVERIFY(!window.FindNext("?", false, false));
  QCOMPARE(window.messages.size(), 1);

  window.Doc->moveCursor(QTextCursor::Start);
  QList<int> found;
  while (window.FindNext(japan, false, false)) {
    QCOMPARE(window.Doc->textCursor().selectedText(), japan);
    found.push_back(window.Doc->textCursor().selectionStart());
    QVERIFY(found.size() < 5);
  }
  QCOMPARE(found, (QList<int>{int(text.indexOf(japan)), int(text.lastIndexOf(japan))}));
  QVERIFY(found[0] > text.indexOf(QString::fromUtf8("\xE4\xB8\xAD")));

  window.Doc->moveCursor(QTextCursor::Start);
  const QString emoji = QString::fromUtf8("\xF0\x9F\x98\x80");
  QVERIFY(window.FindNext(emoji, false, false));
  QCOMPARE(window.Doc->textCursor().selectedText(), emoji);
}

void ReportWindowTest::SavesCharactersOutsideTheCodePage() {
  QTemporaryDir dir;
  kw::ReportDocument doc = ProfileReport();
  doc.AddLine("\xE6\x97\xA5\xE6\x9C\xAC caf\xC3\xA9");  // UTF-8
  doc.AddLine("caf\xE9");                               // Windows-1252
  ReportWindow window;
  window.LoadReport(doc);
  // The user adds Japanese to the Windows-1252 line.
  QTextCursor cursor(window.Doc->document());
  cursor.movePosition(QTextCursor::End);
  cursor.insertText(QString::fromUtf8(" \xE6\x97\xA5\xE6\x9C\xAC"));

  QVERIFY(window.SaveTo(dir.filePath("report"), kw::TReportFRM::kRichTextFilter));
  const QByteArray rtf = ReadFile(dir.filePath("report.RTF"));
  QVERIFY2(rtf.contains("\\pard\\ql \\u26085?\\u26412? caf\\'e9\\par\r\n"
                        "\\pard\\ql caf\\'e9 \\u26085?\\u26412?\\par\r\n}"),
           rtf.constData());
  QVERIFY(!rtf.contains("??"));

  QVERIFY(window.SaveTo(dir.filePath("report"), kw::TReportFRM::kPlainTextFilter));
  const QByteArray txt = ReadFile(dir.filePath("report.TXT"));
  QVERIFY2(txt.endsWith("\r\n\xE6\x97\xA5\xE6\x9C\xAC caf\xC3\xA9\r\n"
                        "caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC\r\n"),
           txt.constData());
  QVERIFY(window.messages.isEmpty());

  // Where LibreOffice is installed: it reads the rich text back as the same characters.
  const QString soffice = QStandardPaths::findExecutable("soffice");
  if (soffice.isEmpty()) return;
  QProcess process;
  QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
  env.insert("HOME", dir.path());
  process.setProcessEnvironment(env);
  process.setWorkingDirectory(dir.path());
  process.start(soffice,
                {"--headless", "-env:UserInstallation=file://" + dir.filePath("lo"), "--convert-to",
                 "txt:Text (encoded):UTF8", "--outdir", dir.filePath("out"), "report.RTF"});
  QVERIFY(process.waitForFinished(180000));
  const QString converted = QString::fromUtf8(ReadFile(dir.filePath("out/report.txt")));
  QVERIFY2(converted.contains(QString::fromUtf8("\xE6\x97\xA5\xE6\x9C\xAC caf\xC3\xA9")),
           qPrintable(converted));
  QVERIFY2(converted.contains(QString::fromUtf8("caf\xC3\xA9 \xE6\x97\xA5\xE6\x9C\xAC")),
           qPrintable(converted));
}

void ReportWindowTest::PrintsTheDocumentToPdf() {
  const QString pdftotext = QStandardPaths::findExecutable("pdftotext");
  const QString pdfinfo = QStandardPaths::findExecutable("pdfinfo");
  if (pdftotext.isEmpty() || pdfinfo.isEmpty()) {
    QSKIP("pdftotext or pdfinfo (poppler-utils) is not installed");
  }
  QTemporaryDir dir;
  ReportWindow window;
  window.LoadReport(ProfileReport());
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(dir.filePath("report.pdf"));
  QVERIFY(window.PrintTo(printer));
  QCOMPARE(printer.docName(), QString("profile_report"));

  // The job's title is what the PDF itself carries.
  QProcess info;
  info.start(pdfinfo, {dir.filePath("report.pdf")});
  QVERIFY(info.waitForFinished());
  QCOMPARE(info.exitCode(), 0);
  QString pdf_title;
  for (const QString& line : QString::fromUtf8(info.readAllStandardOutput()).split('\n')) {
    if (line.startsWith("Title:")) pdf_title = line.mid(6).trimmed();
  }
  QCOMPARE(pdf_title, window.SaveName());

  QProcess process;
  process.start(pdftotext, {"-layout", dir.filePath("report.pdf"), "-"});
  QVERIFY(process.waitForFinished());
  const QString text = QString::fromUtf8(process.readAllStandardOutput());
  QVERIFY2(text.contains("Profile creation errors"), qPrintable(text));
  QVERIFY2(text.contains("Tag unknown: GAME\\FOO"), qPrintable(text));
  QVERIFY2(text.contains("Value not allowed: GAME\\ROM\\FLAGS=NODUMP"), qPrintable(text));
  // The title line is centred on the page: it starts well right of the body lines.
  const QStringList lines = text.split('\n');
  const auto title = std::find_if(lines.begin(), lines.end(), [](const QString& line) {
    return line.contains("Profile creation errors");
  });
  const auto body = std::find_if(lines.begin(), lines.end(),
                                 [](const QString& line) { return line.contains("Tag unknown"); });
  QVERIFY(title->indexOf('P') > body->indexOf('T') + 10);
}

QTEST_MAIN(ReportWindowTest)
#include "report_window_test.moc"
