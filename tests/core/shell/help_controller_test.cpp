#include "core/shell/help_controller.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>

#include "core/shared/game_database.h"
#include "core/shared/settings.h"
#include "support/recording_views.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"
#include "support/wait_until.h"

namespace kw {
namespace {

using test::TempDir;

class HelpControllerTest : public ::testing::Test {
 protected:
  HelpController Help(const std::string& news = "/nowhere/HISTORY.TXT") {
    return HelpController(ui_, settings_, database_, news, view_);
  }
  test::ScriptedUi ui_;
  test::RecordingViews view_;
  FrontEndSettings settings_;
  GameDatabase database_;
};

TEST_F(HelpControllerTest, TextFileMenuListsSortedTextFilesWithoutDirTxtOrLinkedDirectories) {
  TempDir emu;
  emu.Write("Mame/whatsnew.txt", "");
  emu.Write("Mame/Readme.TXT", "");
  emu.Write("Mame/DIR.txt", "");
  emu.Write("Mame/docs/Zeta.txt", "");
  emu.Write("Mame/docs/dir.TXT", "");
  emu.Write("Mame/mame.cfg", "");
  emu.Write("Mame/notes.txt.bak", "");
  std::filesystem::create_directory_symlink(emu / "Mame", emu / "Mame/loop");
  database_.EmulatorDir = emu.Path() + "MAME/";  // found without regard to case
  HelpController help = Help();
  help.ProfileOpened();
  EXPECT_EQ(help.TextFileList(), (std::vector<std::string>{emu.Path() + "Mame/docs/Zeta.txt",
                                                           emu.Path() + "Mame/Readme.TXT",
                                                           emu.Path() + "Mame/whatsnew.txt"}));
  EXPECT_EQ(view_.text_files, (std::vector<std::string>{"ZETA.TXT", "README.TXT", "WHATSNEW.TXT"}));

  TempDir empty;
  database_.EmulatorDir = empty.Path();
  help.BuildTextFilesMenu();
  EXPECT_TRUE(view_.text_files.empty());
}

TEST_F(HelpControllerTest, TextFilesAndNewsOpenInTheEditor) {
  TempDir emu;
  TempDir work;
  emu.Write("readme.txt", "");
  std::string log = work / "opened.log";
  // The editor writes beside the log and renames, so the log appears complete.
  std::string editor =
      work.Write("editor.sh", "#!/bin/sh\nprintf '%s\\n' \"$1\" > '" + log + ".part' && mv '" +
                                  log + ".part' '" + log + "'\n");
  std::filesystem::permissions(editor, std::filesystem::perms::owner_all);
  settings_.TextEditor = editor;
  database_.EmulatorDir = emu.Path();
  HelpController help = Help();
  help.BuildTextFilesMenu();
  help.ShowTextFile(0);
  help.ShowTextFile(7);  // no such item: nothing

  help.KestrelHistory();
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "News file not found");
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Error);

  // The editor runs without being waited for: wait for its log.
  ASSERT_TRUE(test::WaitUntil([&] { return std::filesystem::exists(log); }));
  EXPECT_EQ(work.Read("opened.log"), emu.Path() + "readme.txt\n");

  // Without an editor nothing is started (the file itself would be taken for the program).
  settings_.TextEditor.clear();
  std::filesystem::remove(log);
  help.ShowTextFile(0);
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[1].text,
            "No text editor is set.\rPlease choose a text editor in the preferences.");
}

TEST_F(HelpControllerTest, AnEditorOrOpenerThatFailsAtOnceIsSaidWithItsReason) {
  TempDir work;
  const std::string news = work.Write("HISTORY.TXT", "news");
  // The desktop's opener without a handler for text files: its reason on standard error.
  const std::string editor =
      work.Write("opener.sh",
                 "#!/bin/sh\necho \"opener: no method available for opening '$1'\" >&2\nexit 3\n");
  std::filesystem::permissions(editor, std::filesystem::perms::owner_all);
  settings_.TextEditor = editor;
  HelpController help = Help(news);
  help.KestrelHistory();
  ASSERT_EQ(ui_.messages.size(), 1u);
  EXPECT_EQ(ui_.messages[0].text, "The text editor \"" + editor + "\" could not open " + news +
                                      ".\ropener: no method available for opening '" + news + "'");
  EXPECT_EQ(ui_.messages[0].icon, MsgIcon::Error);

  // The web pages go to the desktop's opener found in PATH.
  work.Write("bin/xdg-open",
             "#!/bin/sh\necho \"xdg-open: no method available for $1\" >&2\nexit 4\n");
  std::filesystem::permissions(work / "bin/xdg-open", std::filesystem::perms::owner_all);
  const std::string path = getenv("PATH") ? getenv("PATH") : "";
  setenv("PATH", (work / "bin").c_str(), 1);
  help.VisitMame();
  setenv("PATH", path.c_str(), 1);
  ASSERT_EQ(ui_.messages.size(), 2u);
  EXPECT_EQ(ui_.messages[1].text.find("Cannot open "), 0u) << ui_.messages[1].text;
  EXPECT_NE(ui_.messages[1].text.find("\rxdg-open: no method available for "), std::string::npos);
}

}  // namespace
}  // namespace kw
