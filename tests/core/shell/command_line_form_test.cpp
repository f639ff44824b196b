#include "core/shell/command_line_form.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/program.h"
#include "platform/process.h"
#include "support/recording_views.h"
#include "support/script_emulator.h"
#include "support/scripted_ui.h"
#include "support/temp_dir.h"

namespace kw {
namespace {

class CommandLineFormTest : public ::testing::Test {
 protected:
  void SetUp() override {
    old_cwd_ = std::filesystem::current_path();
    setenv("KESTRELWING_OPTICAL_DRIVES", "", 1);
    const std::string list = emu_.Write(
        "list.txt",
        "game ( name zeta description \"Zeta\" )\ngame ( name alpha description \"Alpha\" )\n");
    test::WriteEmulator(emu_, "mame", "v1", list);
    program_ = std::make_unique<Program>(ui_, views_.Views(),
                                         AppNames::Compute(home_.Path(), home_.Path()));
    program_->shell.FormCreate();
  }
  void TearDown() override {
    std::filesystem::current_path(old_cwd_);
    unsetenv("KESTRELWING_OPTICAL_DRIVES");
  }

  test::TempDir home_, emu_;
  std::filesystem::path old_cwd_;
  test::ScriptedUi ui_;
  test::RecordingViews views_;
  std::unique_ptr<Program> program_;
};

TEST_F(CommandLineFormTest, ThePlaceholderThenTheSelectedGameWithEverySetting) {
  CommandLineForm& form = program_->command_line;
  const std::string cwd = std::filesystem::current_path().string();
  const std::string exe_dir = emu_.Path();
  // No profile: the placeholder, after the current directory and the prompt sign.
  EXPECT_EQ(form.Example().substr(0, cwd.size() + 1), cwd + ">");
  EXPECT_NE(form.Example().find("'GAMENAME'"), std::string::npos) << form.Example();

  program_->profiles.CreateProfileFrom(emu_ / "mame", home_ / "T.KSL");
  ASSERT_TRUE(program_->database.ProfileLoaded);
  std::string dir = exe_dir.substr(0, exe_dir.size() - 1);
  // The list is sorted by description: Alpha is the first line.
  views_.selected = 0;
  const std::string plain = form.Example();
  EXPECT_EQ(plain, dir + ">" + platform::CommandPrefix() + "'" + exe_dir +
                       "mame' 'ALPHA' '-romdir' '$KSTEMP$'")
      << plain;

  form.SetExtraOptions("-nosound  -x");  // kept, shown only while ticked
  EXPECT_EQ(form.Example(), plain);
  form.SetAddExtraOptions(true);
  EXPECT_EQ(form.Example(), plain + " -nosound  -x");
  form.SetIgnoreConfig(true);
  form.SetLogTextOutput(true);
  EXPECT_EQ(form.Example(), dir + ">" + platform::CommandPrefix() + "'" + exe_dir +
                                "mame' 'ALPHA' '-romdir' '$KSTEMP$' '-ignorecfg' -nosound  -x "
                                ">'$KSTEMP$.NFO'");
  EXPECT_TRUE(program_->settings.Values().AddExtraOptions);
  EXPECT_EQ(program_->settings.Values().ExtraOptions, "-nosound  -x");
  EXPECT_TRUE(program_->settings.Values().IgnoreConfig);
  EXPECT_TRUE(program_->settings.Values().LogTextOutput);

  // Recording: an empty recording name takes the set's, as a launch does.
  program_->recording.SelectRecord();
  (void)form.Example();
  EXPECT_EQ(program_->recording.FileName(), "ALPHA");
}

}  // namespace
}  // namespace kw
