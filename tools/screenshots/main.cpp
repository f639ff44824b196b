// Takes the pictures of the windows for docs/ from a real first start: the welcome, the
// new-profile window cancelled, then the main window without a profile; the About, progress and
// report windows; then the new-profile window's two steps over the demo collection and the
// profile it makes. With a window manager the pictures include the window frames (./kw shots runs
// it under a virtual X server with one):
//   kw-screenshots DIR
#include <QApplication>
#include <QCheckBox>
#include <QDir>
#include <QGuiApplication>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QTemporaryDir>
#include <QTest>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>
#include <QTimer>
#include <QToolButton>
#include <cstdio>
#include <memory>
#include <string>

#include <QPainter>

#include <QTabWidget>
#include "app/gui_program.h"
#include "core/browser/game_list.h"
#include "core/profile/listinfo_parser.h"
#include "core/profile/profile_file.h"
#include "core/shared/report_document.h"
#include "demo/demo_collection.h"
#include "platform/ini.h"
#include "platform/system_info.h"
#include "support/answering_program.h"
#include "support/scripted_ui.h"

#include "ui/browser/quick_info_panel.h"
#include "ui/browser/search_window.h"
#include "ui/launch/stat_window.h"
#include "ui/options/audio_window.h"
#include "ui/options/emulator_dirs_window.h"
#include "ui/options/misc_window.h"
#include "ui/options/preferences_window.h"
#include "ui/options/video_window.h"
#include "ui/profile/new_profile_window.h"
#include "ui/reports/report_window.h"
#include "ui/reports/sysinfo_window.h"
#include "ui/reports/verify_window.h"
#include "ui/resources.h"
#include "ui/shell/about_window.h"
#include "ui/shell/cmdline_window.h"
#include "ui/shell/main_window.h"
#include "ui/shell/program_font.h"
#include "ui/shell/qt_user_interface.h"
#include "ui/shell/working_window.h"

namespace {

// The window as the screen shows it, frame included when a window manager drew one.
QImage Grab(QWidget* w) {
  QTest::qWait(400);  // let the window paint
  if (QGuiApplication::platformName() != "xcb") return w->grab().toImage();
  // The window manager frames the window a little after it appears; now and then Qt reads the
  // frame while it is still being made, and showing the window again reads it anew.
  for (int attempt = 0; attempt < 5; ++attempt) {
    for (int i = 0; i < 200 && w->frameGeometry().size() == w->size(); ++i)
      QTest::qWait(50);
    const QRect frame = w->frameGeometry();
    if (frame.contains(w->geometry()))
      return w->screen()
          ->grabWindow(0, frame.x(), frame.y(), frame.width(), frame.height())
          .toImage();
    w->hide();
    w->show();
    QTest::qWait(300);
  }
  return {};  // the frame could not be read: run the pictures again
}

bool Save(const QImage& image, const QString& path) {
  if (image.isNull()) qWarning("%s: the window's frame could not be read", qPrintable(path));
  return !image.isNull() && image.save(path);
}

// Stops the program with a message when a step did not go as it should.
void Require(bool ok, const char* what) {
  if (ok) return;
  std::fprintf(stderr, "kw-screenshots: %s\n", what);
  std::exit(1);
}

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
  poll->start(100);
}

// Opens a modal window with `open` and saves its picture as `file` before closing it.
template <class W, class Open>
void ModalShot(QWidget* context, const QDir& out, const char* file, Open open) {
  bool taken = false;
  WhenModal<W>(context, [&](W* dialog) {
    taken = Save(Grab(dialog), out.filePath(file));
    dialog->close();
  });
  open();
  Require(taken, file);
}

void FirstStartWindows(const QDir& out) {
  QTemporaryDir home;
  Require(home.isValid(), "no temporary directory");
  qputenv("KESTRELWING_HOME", QFile::encodeName(home.path() + "/"));
  Require(kw::platform::EnsureProgramDir(kw::platform::ShippedDataDir()).Ok(),
          "the program's directory could not be made");

  kw::TMainFRM window;
  kw::TWorkingFRM working;
  kw::TAboutFRM about(&window);
  kw::TReportFRM report(&window);
  kw::QtUserInterface ui(working, &report);
  ui.SetParentWindow(&window);
  QStringList messages;
  ui.SetAskHook([&](const QString& text, kw::MsgIcon, kw::MsgButtons) {
    messages << text;
    return kw::MsgAnswer::Ok;
  });
  kw::GuiProgram program(
      ui, window, kw::AppNames::Compute(kw::platform::ProgramDir(), kw::platform::SystemDir()));
  kw::MainShell& shell = program.shell;
  window.SetAboutWindow(&about);

  shell.FormCreate();
  window.show();
  Require(QTest::qWaitForWindowExposed(&window), "the main window did not show");
  // The first start: the welcome, then the new-profile window, cancelled here.
  WhenModal<kw::TNewMameFRM>(&window, [](kw::TNewMameFRM* dialog) { dialog->reject(); });
  shell.FormShow({});
  Require(messages.size() == 1 && messages[0].startsWith("Hi and welcome to Kestrelwing!\n"),
          "the first start did not ask what it should");
  Require(window.windowTitle() == "Kestrelwing - no profile loaded", "unexpected title");
  Require(Save(Grab(&window), out.filePath("main-window.png")), "main-window.png not saved");

  about.show();
  Require(QTest::qWaitForWindowExposed(&about), "the About window did not show");
  Require(Save(Grab(&about), out.filePath("about-window.png")), "about-window.png not saved");
  about.hide();

  ui.SetOperation("Parsing MAME listinfo file...");
  ui.SetProgress(37);
  ui.ShowProgress();
  Require(QTest::qWaitForWindowExposed(&working), "the progress window did not show");
  Require(Save(Grab(&working), out.filePath("working-window.png")), "working-window.png not saved");
  ui.HideProgress();

  shell.FormDestroy();
}

// The report window showing a profile creation report, built the way its caller builds it.
void ReportWindow(const QDir& out) {
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

  kw::TReportFRM window;
  QImage image;
  // The window is modal: the picture is taken from inside its own loop.
  QTimer::singleShot(0, &window, [&] {
    image = Grab(&window);
    window.reject();
  });
  window.ShowReport(doc);
  Require(Save(image, out.filePath("report-window.png")), "report-window.png not saved");
}

// A picture of our own for a set: a generated screen of coloured bands, shapes and the set's
// name. No game art.
QImage MakeGamePicture(const QString& name, QSize size, QColor base) {
  QImage image(size, QImage::Format_RGB32);
  QPainter p(&image);
  p.setRenderHint(QPainter::Antialiasing);
  QLinearGradient sky(0, 0, 0, size.height());
  sky.setColorAt(0, base.darker(300));
  sky.setColorAt(1, base);
  p.fillRect(image.rect(), sky);
  for (int i = 0; i < 12; ++i) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor::fromHsv((base.hue() + i * 29) % 360, 200, 255, 170));
    const int d = size.width() / 10 + (i * 37) % (size.width() / 6);
    p.drawEllipse((i * 97) % size.width(), (i * 53) % size.height(), d, d);
  }
  p.setPen(QPen(Qt::white, 3));
  p.setBrush(Qt::NoBrush);
  p.drawRect(image.rect().adjusted(6, 6, -7, -7));
  QFont font("Liberation Sans", size.width() / 12, QFont::Bold);
  p.setFont(font);
  p.drawText(image.rect(), Qt::AlignCenter, name);
  return image;
}

// The main window over the emulator's real 0.37b5 game list (the test sample when that file is
// not at hand), sorted by description with a game selected and its picture, and the
// statistics window over twelve play records.
void BrowsingWindows(const QDir& out) {
  QTemporaryDir home;
  Require(home.isValid(), "no temporary directory");
  qputenv("KESTRELWING_HOME", QFile::encodeName(home.path() + "/"));
  Require(kw::platform::EnsureProgramDir(kw::platform::ShippedDataDir()).Ok(),
          "the program's directory could not be made");
  const QString emulator = home.path() + "/MAME/";
  QDir().mkpath(emulator + "snap");
  QDir().mkpath(emulator + "cabinets");
  // The profile: the real capture when it is at hand, else the test sample.
  std::string listinfo =
      KW_SOURCE_DIR "/../shared/realdata/listinfo/mame-0.37b5-generated/listinfo.txt";
  if (!QFile::exists(QString::fromStdString(listinfo)))
    listinfo = KW_SOURCE_DIR "/tests/data/listinfo/listinfo.txt";
  kw::GameDatabase db;
  Require(kw::ParseListinfoFile(listinfo, db).Ok(), "the listinfo could not be read");
  db.EmulatorDir = emulator.toStdString();
  db.EmulatorExe = "mame";
  db.EmulatorVersion = "M.A.M.E. v0.37 BETA 5 (Jul 28 2000) - Multiple Arcade Machine Emulator";
  // In the emulator's place, a program that prints its version line, as the profile expects.
  QFile exe(emulator + "mame");
  Require(exe.open(QIODevice::WriteOnly) &&
              exe.write(("#!/bin/sh\necho '" + db.EmulatorVersion + "'\n").c_str()) > 0,
          "the emulator could not be written");
  exe.close();
  exe.setPermissions(exe.permissions() | QFileDevice::ExeOwner);
  const std::string profile = home.path().toStdString() + "/PROFILES/MAME037B5.KSL";
  kw::test::ScriptedUi quiet;
  Require(kw::SaveProfile(db, profile, quiet, {}).Ok(), "the profile could not be saved");
  // Pictures of our own for a few sets, in the emulator's lower-case folder names.
  const struct {
    const char* name;
    QSize size;
    QColor colour;
  } pictures[] = {{"pacman", {224, 288}, QColor(40, 60, 200)},
                  {"galaga", {224, 288}, QColor(160, 30, 120)},
                  {"mspacman", {224, 288}, QColor(200, 120, 20)}};
  for (const auto& pic : pictures)
    MakeGamePicture(QString(pic.name).toUpper(), pic.size, pic.colour)
        .save(emulator + "snap/" + pic.name + ".png");
  kw::platform::IniFile settings(home.path().toStdString() + "/KESTREL.INI");
  settings.Write("Sort", "SortBy", "1");
  settings.Write("Sort", "LastSelected", "PACMAN");
  settings.Write("Screenshots", "ScreenShots", "snap");
  settings.Write("Screenshots", "ScreenshotDisplay", "1");
  settings.Write("General", "LastProfile", profile);
  Require(settings.Flush().Ok(), "KESTREL.INI could not be written");
  kw::platform::IniFile stats(home.path().toStdString() + "/STATS.INI");
  const char* const played[] = {"PACMAN", "GALAGA",  "MSPACMAN", "DKONG",   "1942", "FROGGER",
                                "DIGDUG", "XEVIOUS", "ROBBY",    "MPATROL", "QIX",  "OLDGAME"};
  for (int i = 0; i < 12; ++i) {
    stats.Write(played[i], "TotHours", std::to_string(12 - i));
    stats.Write(played[i], "TotMinutes", std::to_string((i * 17) % 60));
    stats.Write(played[i], "TotSeconds", std::to_string((i * 23) % 60));
    stats.Write(played[i], "TotTimes", std::to_string(40 - i * 3));
  }
  Require(stats.Flush().Ok(), "STATS.INI could not be written");

  kw::TMainFRM window;
  kw::TWorkingFRM working;
  kw::TReportFRM report(&window);
  kw::QtUserInterface ui(working, &report);
  ui.SetParentWindow(&window);
  kw::GuiProgram program(
      ui, window, kw::AppNames::Compute(kw::platform::ProgramDir(), kw::platform::SystemDir()));
  program.shell.FormCreate();
  window.show();
  Require(QTest::qWaitForWindowExposed(&window), "the main window did not show");
  program.shell.FormShow({});
  Require(program.database.ProfileLoaded, "the profile did not open");
  Require(program.settings.Values().LastSelected == "PACMAN", "PACMAN is not selected");
  Require(Save(Grab(&window), out.filePath("main-window-profile.png")),
          "main-window-profile.png not saved");

  // The cabinet tab of the same game: no picture there.
  window.QuickInfo().ScreenShotPGE->setCurrentIndex(2);
  Require(Save(Grab(&window), out.filePath("main-window-image-not-found.png")),
          "main-window-image-not-found.png not saved");
  window.QuickInfo().ScreenShotPGE->setCurrentIndex(1);

  // The statistics window is modal: the picture is taken from inside its own loop.
  // The progress window comes and goes first, so wait for the statistics window itself.
  QImage stats_image;
  QTimer poll;
  QObject::connect(&poll, &QTimer::timeout, &window, [&] {
    auto* dialog = dynamic_cast<kw::TStatFRM*>(QApplication::activeModalWidget());
    if (!dialog) return;
    poll.stop();
    stats_image = Grab(dialog);
    dialog->close();
  });
  poll.start(100);
  program.statistics.ShowStatistics(kw::StatsMode::Plays);
  Require(Save(stats_image, out.filePath("statistics-window.png")),
          "statistics-window.png not saved");

  // A search for the games beginning with "Pac", its message answered; then the profile
  // information report, the command-line window and the system information window.
  ui.SetAskHook([](const QString&, kw::MsgIcon, kw::MsgButtons) { return kw::MsgAnswer::Ok; });
  WhenModal<kw::TSearchFRM>(&window, [&](kw::TSearchFRM* dialog) {
    dialog->Text2find->clear();
    QTest::keyClicks(dialog->Text2find, "Pac");
    Require(Save(Grab(dialog), out.filePath("search-window.png")), "search-window.png not saved");
    dialog->OkBTN->click();
  });
  window.GameOPTClick();
  Require(program.search.Matches().size() > 1, "the search found nothing");
  WhenModal<kw::TReportFRM>(&window, [&](kw::TReportFRM* dialog) {
    dialog->resize(640, 620);
    Require(Save(Grab(dialog), out.filePath("profile-info-report.png")),
            "profile-info-report.png not saved");
    dialog->close();
  });
  window.VersionOPTClick();
  WhenModal<kw::TCmdLineFRM>(&window, [&](kw::TCmdLineFRM* dialog) {
    dialog->AddOptions->click();
    QTest::keyClicks(dialog->ExtraOptions, "-nosound");
    Require(Save(Grab(dialog), out.filePath("command-line-window.png")),
            "command-line-window.png not saved");
    dialog->accept();
  });
  window.ShowCmdLineOPTClick();
  WhenModal<kw::TSysInfoFRM>(&window, [&](kw::TSysInfoFRM* dialog) {
    Require(Save(Grab(dialog), out.filePath("system-info-window.png")),
            "system-info-window.png not saved");
    dialog->accept();
  });
  window.SysInfoOPTClick();
  program.shell.FormDestroy();
}

// A new user's first start with the demo collection: the new-profile window's two steps over
// the demo's stand-in emulator, the creation, and the main window with the demo's games.
void DemoWindows(const QDir& out) {
  QTemporaryDir home;
  Require(home.isValid(), "no temporary directory");
  qputenv("KESTRELWING_HOME", QFile::encodeName(home.path() + "/"));
  Require(kw::platform::EnsureProgramDir(kw::platform::ShippedDataDir()).Ok(),
          "the program's directory could not be made");
  const std::string demo = home.path().toStdString() + "/demo";
  Require(kw::demo::WriteDemoCollection(demo, KW_STAND_IN_EMULATOR).Ok(),
          "the demo collection could not be written");
  const QString emulator = QString::fromStdString(kw::demo::DemoEmulatorDir(demo) + "mame");

  kw::test::AnsweringProgram run;
  run.program.shell.FormCreate();
  run.window.show();
  Require(QTest::qWaitForWindowExposed(&run.window), "the main window did not show");
  WhenModal<kw::TNewMameFRM>(&run.window, [&](kw::TNewMameFRM* dialog) {
    dialog->FileName->selectAll();  // the system's emulator, proposed where one is installed
    QTest::keyClicks(dialog->FileName, emulator);
    Require(Save(Grab(dialog), out.filePath("new-profile-step1.png")),
            "new-profile-step1.png not saved");
    dialog->NextBTN->click();
    Require(Save(Grab(dialog), out.filePath("new-profile-step2.png")),
            "new-profile-step2.png not saved");
    dialog->GoBTN->click();
  });
  run.program.shell.FormShow({});
  Require(run.program.database.ProfileLoaded, "the demo profile was not created");
  Require(run.messages.size() == 3 && run.messages[1].startsWith("The following version"),
          "the creation did not ask what it should");
  Require(Save(Grab(&run.window), out.filePath("main-window-demo.png")),
          "main-window-demo.png not saved");

  // A good game played: the stand-in emulator's window over the main window, for three seconds.
  run.program.settings.Values().AddExtraOptions = true;
  run.program.settings.Values().ExtraOptions = "-seconds_to_run 3";
  run.program.game_list.SelectLine(run.program.database.FindGamePosition("BRASSOWL"));
  QImage running;
  QTimer::singleShot(1800, &run.window, [&] {
    running =
        QGuiApplication::primaryScreen()->grabWindow(0).toImage().copy(run.window.frameGeometry());
  });
  Require(run.program.launch.RunGameOPTClick() == kw::LaunchOutcome::Ran, "the game did not run");
  Require(Save(running, out.filePath("game-running.png")), "game-running.png not saved");
  Require(Save(Grab(&run.window), out.filePath("main-window-played.png")),
          "main-window-played.png not saved");

  // The list filtered from the Filters menu: no clones, the line under it counting the games.
  run.program.filters.SetTick(kw::FilterTick::kNoClones, true);
  Require(Save(Grab(&run.window), out.filePath("main-window-filtered.png")),
          "main-window-filtered.png not saved");
  run.program.filters.ShowAllGames();

  // A broken set: the question, answered Yes, then the report.
  run.program.game_list.SelectLine(run.program.database.FindGamePosition("LOSTLAKE"));
  run.ui.SetAskHook({});
  WhenModal<QMessageBox>(&run.window, [&](QMessageBox* box) {
    Require(Save(Grab(box), out.filePath("not-runnable-question.png")),
            "not-runnable-question.png not saved");
    box->button(QMessageBox::Yes)->click();
  });
  WhenModal<kw::TReportFRM>(&run.window, [&](kw::TReportFRM* dialog) {
    Require(Save(Grab(dialog), out.filePath("not-runnable-report.png")),
            "not-runnable-report.png not saved");
    dialog->close();
  });
  Require(run.program.launch.RunGameOPTClick() == kw::LaunchOutcome::Refused,
          "the broken game was not refused");

  // "Romset details" of a game with a history and an information entry, high-score areas and
  // cheats, from the tool button: the report window, then the report saved as rich and as plain
  // text beside the pictures.
  run.program.game_list.SelectLine(run.program.database.FindGamePosition("MOONMOTH"));
  bool described = false;
  WhenModal<kw::TReportFRM>(&run.window, [&](kw::TReportFRM* dialog) {
    described = true;
    Require(Save(Grab(dialog), out.filePath("set-description.png")),
            "set-description.png not saved");
    // Further down: the high-score areas, the cheats and the two text databases' entries.
    dialog->Doc->moveCursor(QTextCursor::End);
    Require(dialog->Doc->find("This game supports HighScore", QTextDocument::FindBackward),
            "the high-score block is missing");
    QTextCursor at = dialog->Doc->textCursor();
    at.clearSelection();
    dialog->Doc->setTextCursor(at);
    Require(Save(Grab(dialog), out.filePath("set-description-support.png")),
            "set-description-support.png not saved");
    Require(dialog->SaveTo(out.filePath("set-description.rtf"), kw::kRichTextFilter),
            "set-description.rtf not saved");
    Require(dialog->SaveTo(out.filePath("set-description.txt"), kw::kPlainTextFilter),
            "set-description.txt not saved");
    dialog->close();
  });
  run.window.DetailTOOL->click();
  Require(described, "the set description was not shown");

  // The whole demo verified from the verify window: the window at the end, then its report.
  run.ui.SetAskHook([](const QString&, kw::MsgIcon, kw::MsgButtons) { return kw::MsgAnswer::Yes; });
  run.program.verify.Form().Options.OpenInEditor = false;
  WhenModal<kw::TVerifyFRM>(&run.window, [&](kw::TVerifyFRM* dialog) {
    dialog->OpenInEditor->setChecked(false);
    dialog->GoBTN->click();
    Require(Save(Grab(dialog), out.filePath("verify-window.png")), "verify-window.png not saved");
    dialog->AbortBTN->click();
  });
  run.window.VerifySetOPTClick();
  // The sets' status the verification kept: a mark before each line of the list.
  run.program.game_list.SelectLine(run.program.database.FindGamePosition("LOSTLAKE"));
  Require(Save(Grab(&run.window), out.filePath("main-window-status.png")),
          "main-window-status.png not saved");

  // The option windows over the demo profile, with options that show every preview at work:
  // a resolution narrower than the selected game, an arcade monitor's centering, the screen
  // turned right by hand, cheats on.
  run.program.game_list.SelectLine(run.program.database.FindGamePosition("BRASSOWL"));
  kw::EmulatorConfig::Config& options = run.program.emulator_config.Config().config;
  options.resolution = "240X256";
  options.skiplines = 12;
  options.monitor = "ARCADE";
  options.centerx = 3;
  options.centery = -5;
  options.norotate = true;
  options.ror = true;
  options.cheat = true;
  options.volume = -6;
  ModalShot<kw::TVideoFRM>(&run.window, out, "video-window.png",
                           [&] { run.window.VideoOPTClick(); });
  ModalShot<kw::TAudioFRM>(&run.window, out, "audio-window.png",
                           [&] { run.window.AudioOPTClick(); });
  ModalShot<kw::TMiscFRM>(&run.window, out, "misc-window.png", [&] { run.window.MiscOPTClick(); });
  ModalShot<kw::TMAMEDirFRM>(&run.window, out, "emulator-directories-window.png",
                             [&] { run.window.MAMEdirOPTClick(); });
  run.program.settings.Values().DXGameSelect = true;
  ModalShot<kw::TDirectoriesFRM>(&run.window, out, "preferences-window.png",
                                 [&] { run.window.DirectoriesOPTClick(); });

  QFile report_file(home.path() + "/REPORT.TXT");
  Require(report_file.open(QIODevice::ReadOnly), "the verifier wrote no report");
  QPlainTextEdit viewer;
  viewer.setWindowTitle("REPORT.TXT");
  viewer.setFont(QFont("Liberation Mono", 9));
  viewer.setPlainText(QString::fromLatin1(report_file.readAll()));
  viewer.resize(760, 700);
  viewer.show();
  Require(QTest::qWaitForWindowExposed(&viewer), "the report viewer did not show");
  Require(Save(Grab(&viewer), out.filePath("verify-report.png")), "verify-report.png not saved");
  run.program.shell.FormDestroy();
}

// Today's emulator, when it is installed: the new-profile window pointed at it, the creation
// from its -listxml, the list of its machines sorted by description, one machine's details and
// the video options it has.
void TodaysEmulatorWindows(const QDir& out) {
  const QString emulator = "/usr/games/mame";
  if (!QFile::exists(emulator)) {
    std::fprintf(stderr, "kw-screenshots: %s is not installed; its pictures are left as they are\n",
                 emulator.toLocal8Bit().constData());
    return;
  }
  QTemporaryDir home;
  Require(home.isValid(), "no temporary directory");
  qputenv("KESTRELWING_HOME", QFile::encodeName(home.path() + "/"));
  Require(kw::platform::EnsureProgramDir(kw::platform::ShippedDataDir()).Ok(),
          "the program's directory could not be made");

  kw::test::AnsweringProgram run;
  run.program.settings.Values().SortBy = kw::kSortDescription;
  run.program.shell.FormCreate();
  run.window.show();
  Require(QTest::qWaitForWindowExposed(&run.window), "the main window did not show");
  WhenModal<kw::TNewMameFRM>(&run.window, [&](kw::TNewMameFRM* dialog) {
    dialog->FileName->selectAll();  // the system's emulator, proposed where one is installed
    QTest::keyClicks(dialog->FileName, emulator);
    Require(Save(Grab(dialog), out.filePath("new-profile-todays-emulator.png")),
            "new-profile-todays-emulator.png not saved");
    dialog->NextBTN->click();
    dialog->GoBTN->click();
  });
  run.program.shell.FormShow({});
  const std::string said =
      "the profile of today's emulator was not created: " + run.messages.join(" / ").toStdString();
  Require(run.program.database.ProfileLoaded, said.c_str());
  Require(run.program.database.GameCount() > 30000, "the profile holds too few machines");
  Require(Save(Grab(&run.window), out.filePath("main-window-todays-emulator.png")),
          "main-window-todays-emulator.png not saved");
  // As a check of the set (verify --sets pacman --status) leaves it.
  Require(run.program.set_status.Keep({{"pacman", kw::AuditVerdict::kGood}}, false).Ok(),
          "the set status was not kept");
  run.program.game_list.SelectLine(run.program.database.FindGamePosition("PACMAN"));
  Require(Save(Grab(&run.window), out.filePath("main-window-todays-machine.png")),
          "main-window-todays-machine.png not saved");
  bool described = false;
  WhenModal<kw::TReportFRM>(&run.window, [&](kw::TReportFRM* dialog) {
    described = true;
    Require(Save(Grab(dialog), out.filePath("set-description-todays-machine.png")),
            "set-description-todays-machine.png not saved");
    dialog->close();
  });
  run.window.DetailTOOL->click();
  Require(described, "the machine's description was not shown");
  // Only the options that today's emulator has are offered.
  ModalShot<kw::TVideoFRM>(&run.window, out, "video-window-todays-emulator.png",
                           [&] { run.window.VideoOPTClick(); });
  run.program.shell.FormDestroy();
}

}  // namespace

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  if (argc < 2 || argc > 3) {
    std::fprintf(stderr, "usage: kw-screenshots DIR [demo]\n");
    return 2;
  }
  // "demo": only the pictures over the demo collection (the quicker run while working).
  const bool demo_only = argc == 3 && std::string(argv[2]) == "demo";
  const QDir out(QString::fromLocal8Bit(argv[1]));
  Require(out.mkpath("."), "the output directory could not be made");
  kw::InitResources();
  kw::InstallProgramFont();
  if (!demo_only) {
    FirstStartWindows(out);
    ReportWindow(out);
    BrowsingWindows(out);
  }
  DemoWindows(out);
  if (!demo_only) TodaysEmulatorWindows(out);
  return 0;
}
