// The search, command-line and system information windows over their forms.
#include <QApplication>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTimer>

#include "app/program.h"
#include "core/browser/search.h"
#include "core/reports/system_info_form.h"
#include "support/recording_views.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "ui/browser/search_window.h"
#include "ui/reports/sysinfo_window.h"
#include "ui/shell/cmdline_window.h"

class SmallWindowsTest : public QObject {
  Q_OBJECT

 private slots:
  void SearchWindowShowsTheFormAndKeepsWhatTheUserChose() {
    kw::SearchForm form;
    form.Target = kw::SearchTarget::Clones;
    form.Text2find = "PACMAN";
    form.Mode = kw::SearchMode::Exact;
    form.CaseSensitiveEnabled = false;
    kw::TSearchFRM window;
    bool ok_enabled_blank = true, ok_enabled_text = false;
    QTimer::singleShot(0, &window, [&] {
      QCOMPARE(window.windowTitle(), QString("Kestrelwing - Search clone sets"));
      QCOMPARE(window.SearchModeBOX->title(), QString(" Search clone sets... "));
      QVERIFY(window.ExactSearch->isChecked());
      QVERIFY(!window.casesensitive->isEnabled());
      window.Text2find->setText("  \t");
      ok_enabled_blank = window.OkBTN->isEnabled();
      window.Text2find->setText("  galaga");
      ok_enabled_text = window.OkBTN->isEnabled();
      window.Containing->click();
      window.OkBTN->click();
    });
    QVERIFY(window.Run(form, "Kestrelwing"));
    QVERIFY(!ok_enabled_blank);
    QVERIFY(ok_enabled_text);
    QCOMPARE(form.Text2find, std::string("  galaga"));  // not trimmed
    QCOMPARE(form.Mode, kw::SearchMode::Containing);
    // Cancel keeps the state too.
    QTimer::singleShot(0, &window, [&] {
      window.Text2find->setText("x");
      window.CancelBTN->click();
    });
    QVERIFY(!window.Run(form, "Kestrelwing"));
    QCOMPARE(form.Text2find, std::string("x"));
  }

  void CommandLineWindowStoresEachChangeAtOnce() {
    kw::test::TempDir home;
    kw::test::ScriptedUi ui;
    kw::test::RecordingViews views;
    kw::Program program(ui, views.Views(), kw::AppNames::Compute(home.Path(), home.Path()));
    kw::TCmdLineFRM window;
    window.Show(program.command_line);
    QCOMPARE(window.windowTitle(), QString("Kestrelwing - Show/edit command line"));
    QVERIFY(!window.ExtraOptions->isEnabled());
    QVERIFY(window.CmdLineExample->text().contains("'GAMENAME'"));
    QVERIFY(window.CmdLineExample->isReadOnly());
    window.AddOptions->click();
    QVERIFY(window.ExtraOptions->isEnabled());
    QTest::keyClicks(window.ExtraOptions, "-nos");
    QCOMPARE(program.settings.Values().ExtraOptions, std::string("-nos"));
    QVERIFY(program.settings.Values().AddExtraOptions);
    QVERIFY(window.CmdLineExample->text().endsWith(" -nos"));
    window.LogMame->click();
    QVERIFY(program.settings.Values().LogTextOutput);
    QVERIFY(window.CmdLineExample->text().endsWith(">'$KSTEMP$.NFO'"));
    window.IgnoreCfg->click();
    QVERIFY(program.settings.Values().IgnoreConfig);
    QCOMPARE(window.IgnoreCfg->toolTip(), QString("-ignorecfg"));
  }

  void SystemInfoWindowShowsItsLabels() {
    kw::SystemFacts facts;
    facts.total_memory = 1048575;
    facts.processor = "Some CPU";
    facts.system_name = "Some Linux";
    facts.kernel_release = "6.1";
    kw::TSysInfoFRM window;
    window.Fill(kw::FormatSystemInfo(facts));
    QCOMPARE(window.size(), QSize(316, 233));
    QCOMPARE(window.windowTitle(), QString("Kestrelwing - System info"));
    QCOMPARE(window.TotPhis->text(), QString("0 MB"));
    QVERIFY(window.TotPhis->font().bold());
    QCOMPARE(window.Captions[0]->text(), QString("Total phisical memory:"));
    QCOMPARE(window.Processor->text(), QString("Some CPU"));
    QCOMPARE(window.Os1->text(), QString("Some Linux"));
    QCOMPARE(window.Os2->text(), QString("Version 6.1"));
    QCOMPARE(window.Os3->text(), QString(""));

    // A long processor name is cut at its end, like the lines below, within the room right of
    // its caption; the tip holds it all.
    const QString name = "Intel(R) Core(TM) i7-8650U CPU @ 1.90GHz, family 6 model 142";
    facts.processor = name.toStdString();
    window.Fill(kw::FormatSystemInfo(facts));
    const QString shown = window.Processor->text();
    QVERIFY(shown != name);
    QVERIFY(shown.startsWith("Intel(R)"));
    QVERIFY(shown.endsWith(QChar(0x2026)));
    QCOMPARE(window.Processor->toolTip(), name);
    const QRect caption = window.Captions[4]->geometry();
    const int caption_end = caption.x() + window.Captions[4]->fontMetrics().horizontalAdvance(
                                              window.Captions[4]->text());
    const int text_start = window.Processor->geometry().right() + 1 -
                           window.Processor->fontMetrics().horizontalAdvance(shown);
    QVERIFY(text_start > caption_end);  // clear of "Processor:"
    // The longest caption is shown whole.
    QVERIFY(window.Captions[1]->width() >=
            window.Captions[1]->fontMetrics().horizontalAdvance(window.Captions[1]->text()));
  }
};

QTEST_MAIN(SmallWindowsTest)
#include "small_windows_test.moc"
