// The whole program over the demo collection, as a user goes through it: the first start makes
// the demo's profile, a search finds a game, its details are shown, the command-line window
// shows its command, the game is played with the stand-in emulator, the statistics and the
// profile information are looked at, the collection is verified, and the program ends. Then the
// files it wrote are checked.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "app/gui_program.h"
#include "demo/demo_collection.h"
#include "platform/system_info.h"
#include "support/answering_program.h"
#include "ui/browser/search_window.h"
#include "ui/launch/stat_window.h"
#include "ui/profile/new_profile_window.h"
#include "ui/reports/report_window.h"
#include "ui/reports/sysinfo_window.h"
#include "ui/reports/verify_window.h"
#include "ui/shell/cmdline_window.h"
#include "ui/shell/main_window.h"
#include "ui/shell/qt_user_interface.h"
#include "ui/shell/working_window.h"

namespace {

// Calls `act` with the modal window of type W once it is up (from inside its own loop).
template <class W, class Act>
void WhenModal(QObject* context, Act act) {
  auto* poll = new QTimer(context);
  QObject::connect(poll, &QTimer::timeout, context, [poll, act] {
    auto* window = dynamic_cast<W*>(QApplication::activeModalWidget());
    if (!window) return;
    poll->stop();
    poll->deleteLater();
    act(window);
  });
  poll->start(20);
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

class WholeProgramTest : public QObject {
  Q_OBJECT

 private slots:
  void TheDemoFromFirstStartToQuit() {
    QTemporaryDir home;
    QVERIFY(home.isValid());
    const std::string dir = home.path().toStdString() + "/";
    qputenv("KESTRELWING_HOME", QFile::encodeName(home.path() + "/"));
    qputenv("KESTRELWING_OPTICAL_DRIVES", "");
    qputenv("SDL_AUDIODRIVER", "dummy");
    qputenv("SDL_VIDEODRIVER", "dummy");
    QVERIFY(kw::platform::EnsureProgramDir(kw::platform::ShippedDataDir()).Ok());
    QVERIFY(kw::demo::WriteDemoCollection(dir + "demo", KW_STAND_IN_EMULATOR).Ok());
    const std::string emulator_dir = kw::demo::DemoEmulatorDir(dir + "demo");
    const std::filesystem::path old_cwd = std::filesystem::current_path();
    {
      kw::test::AnsweringProgram run;
      run.program.shell.FormCreate();
      run.window.show();
      QVERIFY(QTest::qWaitForWindowExposed(&run.window));

      // The first start: the demo's emulator chosen, the profile made and opened.
      // The box proposes the system's emulator where one is installed: the user replaces it.
      WhenModal<kw::TNewMameFRM>(&run.window, [&](kw::TNewMameFRM* dialog) {
        dialog->FileName->selectAll();
        QTest::keyClicks(dialog->FileName, QString::fromStdString(emulator_dir + "mame"));
        dialog->NextBTN->click();
        dialog->GoBTN->click();
      });
      run.program.shell.FormShow({});
      QVERIFY(run.program.database.ProfileLoaded);

      // Search > Find game: "Brass" at the beginning of a description, one match, selected.
      WhenModal<kw::TSearchFRM>(&run.window, [&](kw::TSearchFRM* dialog) {
        dialog->Text2find->clear();
        QTest::keyClicks(dialog->Text2find, "brass");
        dialog->Startingwith->click();
        dialog->OkBTN->click();
      });
      run.messages.clear();
      run.window.GameOPT->trigger();
      QCOMPARE(run.messages, QStringList{"1 match found!"});
      const long line = run.program.game_list.SelectedLine();
      QVERIFY(line >= 0);
      QCOMPARE(run.program.database.Game(static_cast<std::size_t>(line)).Name.Str(),
               std::string("BRASSOWL"));

      // Its details, in the report window.
      QString details_title;
      WhenModal<kw::TReportFRM>(&run.window, [&](kw::TReportFRM* dialog) {
        details_title = dialog->windowTitle();
        dialog->close();
      });
      run.window.DetailOPT->trigger();
      QCOMPARE(details_title, QString("Kestrelwing - Detailed romset description"));

      // The command line of the game, with an option added by hand (stored at once).
      QString example;
      WhenModal<kw::TCmdLineFRM>(&run.window, [&](kw::TCmdLineFRM* dialog) {
        dialog->AddOptions->click();
        QTest::keyClicks(dialog->ExtraOptions, "-seconds_to_run 1 -video none");
        example = dialog->CmdLineExample->text();
        dialog->OkBTN->click();
      });
      run.window.ShowCmdLineOPT->trigger();
      QVERIFY2(example.contains("'BRASSOWL' '-romdir' '$KSTEMP$' -seconds_to_run 1 -video none"),
               qPrintable(example));

      // Played with the stand-in emulator.
      QCOMPARE(run.program.launch.RunGameOPTClick(), kw::LaunchOutcome::Ran);

      // The statistics, the profile information and the system information, each closed.
      bool stats_seen = false, info_seen = false, sys_seen = false;
      WhenModal<kw::TStatFRM>(&run.window, [&](kw::TStatFRM* dialog) {
        stats_seen = true;
        dialog->close();
      });
      run.window.NPlaysOPT->trigger();
      WhenModal<kw::TReportFRM>(&run.window, [&](kw::TReportFRM* dialog) {
        info_seen = dialog->windowTitle() == "Kestrelwing - Profile info";
        dialog->close();
      });
      run.window.ProfileInfoOPT->trigger();
      WhenModal<kw::TSysInfoFRM>(&run.window, [&](kw::TSysInfoFRM* dialog) {
        sys_seen = dialog->TotPhis->text().endsWith(" MB");
        dialog->accept();
      });
      run.window.SysInfoOPT->trigger();
      QVERIFY(stats_seen && info_seen && sys_seen);

      // The collection verified from the verify window.
      run.program.verify.Form().Options.OpenInEditor = false;
      WhenModal<kw::TVerifyFRM>(&run.window, [&](kw::TVerifyFRM* dialog) {
        dialog->OpenInEditor->setChecked(false);
        dialog->GoBTN->click();
        dialog->AbortBTN->click();
      });
      run.window.VerifySetOPT->trigger();

      // Quit: the window closes and the program's end writes its files.
      run.window.QuitOPT->trigger();
      run.program.shell.FormDestroy();
    }
    std::filesystem::current_path(old_cwd);

    const std::string ini = ReadAll(dir + "KESTREL.INI");
    QVERIFY2(ini.find("LastSelected=BRASSOWL") != std::string::npos, ini.c_str());
    QVERIFY2(ini.find("ExtraOptions=-seconds_to_run 1 -video none") != std::string::npos,
             ini.c_str());
    const std::string stats = ReadAll(dir + "STATS.INI");
    QVERIFY2(stats.find("[BRASSOWL]") != std::string::npos, stats.c_str());
    QVERIFY2(stats.find("TotTimes=1") != std::string::npos, stats.c_str());
    QVERIFY(!ReadAll(emulator_dir + "MAME.CFG").empty());
    const std::string verified = ReadAll(dir + "REPORT.TXT");
    QVERIFY2(verified.find("verification report") != std::string::npos, verified.c_str());
    // The demo's set with a file of a wrong CRC is found.
    QVERIFY2(verified.find("[TIDEPOOL] - TP-1.8B      has wrong CRC") != std::string::npos,
             verified.c_str());
    // Nothing of a run is left behind.
    QVERIFY(!std::filesystem::exists(emulator_dir + "$KSTEMP$"));
  }
};

QTEST_MAIN(WholeProgramTest)
#include "whole_program_test.moc"
