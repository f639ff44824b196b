// The demo collection with FIFOs, sockets and links planted where the program reads sets,
// pictures and data files, and where it keeps its scratch files: every command ends (a watchdog
// kills one that would not, and the test then fails), nothing outside is written, nothing is
// left behind.
#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "support/cli_run.h"

namespace kw {
namespace {

namespace stdfs = std::filesystem;

// A socket in the file system, as a local server leaves one; closed with the object.
class PlantedSocket {
 public:
  explicit PlantedSocket(const std::string& path) {
    fd_ = socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    if (path.size() < sizeof address.sun_path) {
      std::memcpy(address.sun_path, path.c_str(), path.size() + 1);
      ok_ = bind(fd_, reinterpret_cast<sockaddr*>(&address), sizeof address) == 0;
    }
  }
  ~PlantedSocket() { close(fd_); }
  bool Ok() const { return ok_; }

 private:
  int fd_ = -1;
  bool ok_ = false;
};

std::vector<std::string> Leftovers(const std::string& emulator_dir) {
  std::vector<std::string> found;
  for (const auto& entry : stdfs::recursive_directory_iterator(emulator_dir)) {
    if (entry.path().filename().string().rfind("$KSTEMP$", 0) == 0)
      found.push_back(entry.path().string());
  }
  return found;
}

class CliHostileFilesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(test::RunCli({"make-demo", dir_ / "demo"}, dir_, home_.Path()).status, 0);
    home_.Write("KESTREL.INI", "[MAME]\nExtraOptions=-video none\nLogTextOutput=1\n");
  }
  void Fifo(const std::string& relative) {
    stdfs::remove(emu_ + relative);
    ASSERT_EQ(mkfifo((emu_ + relative).c_str(), 0644), 0) << relative;
  }

  test::TempDir dir_, home_;
  const std::string emu_ = dir_ / "demo/emulator/";
  const std::string profile_ = dir_ / "demo/DEMO.KSL";
};

TEST_F(CliHostileFilesTest, AFifoASocketOrADeviceInPlaceOfAFileIsRefusedAndNothingWaits) {
  Fifo("ROMS/frostfly.zip");
  // A directory set whose files are a FIFO, a socket and a device.
  stdfs::remove(emu_ + "ROMS/moonmoth.zip");
  stdfs::create_directories(emu_ + "ROMS/moonmoth");
  Fifo("ROMS/moonmoth/mm1.6e");
  PlantedSocket socket(emu_ + "ROMS/moonmoth/mm2.6f");
  ASSERT_TRUE(socket.Ok());
  stdfs::create_symlink("/dev/zero", emu_ + "ROMS/moonmoth/mm3.6h");
  Fifo("SAMPLES/brassowl.zip");
  for (const auto& entry : stdfs::directory_iterator(emu_ + "SNAP")) {
    if (entry.path().stem() == "gullwing") stdfs::remove(entry.path());
  }
  Fifo("SNAP/gullwing.png");
  Fifo("HISTORY.DAT");
  Fifo("MAMEINFO.DAT");

  for (const std::vector<std::string>& args :
       {std::vector<std::string>{"verify", profile_, "--report", dir_ / "report.txt"},
        std::vector<std::string>{"verify", profile_, "--quick"}}) {
    SCOPED_TRACE(args.back());
    const test::CliRun verified = test::RunCliWatched(args, dir_, home_.Path());
    EXPECT_EQ(verified.status, 0) << verified.out << verified.err;
    EXPECT_NE(verified.out.find("SkippedSets="), std::string::npos);
  }
  for (const char* set : {"FROSTFLY", "MOONMOTH"}) {
    SCOPED_TRACE(set);
    const test::CliRun refused =
        test::RunCliWatched({"launch", profile_, set, "--yes"}, dir_, home_.Path());
    EXPECT_EQ(refused.status, 4) << refused.out << refused.err;
    EXPECT_NE(refused.out.find("rom file is missing"), std::string::npos) << refused.out;
  }
  const test::CliRun played =
      test::RunCliWatched({"launch", profile_, "BRASSOWL"}, dir_, home_.Path());
  EXPECT_EQ(played.status, 0) << played.out << played.err;
  EXPECT_EQ(test::RunCliWatched({"describe", profile_, "MOONMOTH"}, dir_, home_.Path()).status, 0);
  const test::CliRun picture =
      test::RunCliWatched({"quick-info", profile_, "GULLWING"}, dir_, home_.Path());
  EXPECT_EQ(picture.status, 0);
  EXPECT_NE(picture.out.find("Picture: "), std::string::npos);
  EXPECT_TRUE(Leftovers(emu_).empty()) << Leftovers(emu_).front();
}

TEST_F(CliHostileFilesTest, LinksPlantedAsScratchFilesAreRemovedAndWhatTheyNameStaysAsItWas) {
  const std::string outside = dir_.Write("outside/file.txt", "the user's own");
  stdfs::create_directories(dir_ / "outside/dir");
  const auto untouched = [&] {
    EXPECT_EQ(dir_.Read("outside/file.txt"), "the user's own");
    EXPECT_TRUE(stdfs::is_empty(dir_ / "outside/dir"));
  };
  // The capture, on every profile open and at the game's end.
  stdfs::create_symlink(outside, emu_ + "$KSTEMP$.NFO");
  const test::CliRun checked = test::RunCliWatched({"check-profile", profile_}, dir_, home_.Path());
  EXPECT_EQ(checked.status, 0) << checked.err;
  EXPECT_NE(checked.err.find("A link was found where the program keeps its temporary files: "
                             "$KSTEMP$.NFO"),
            std::string::npos)
      << checked.err;
  untouched();
  EXPECT_FALSE(stdfs::exists(stdfs::symlink_status(emu_ + "$KSTEMP$.NFO")));

  // The capture again, the temporary directory and a copy of the game's settings.
  stdfs::create_symlink(outside, emu_ + "$KSTEMP$.NFO");
  stdfs::create_directory_symlink(dir_ / "outside/dir", emu_ + "$KSTEMP$");
  dir_.Write("demo/emulator/CFG/brassowl.cfg", "the user's settings");
  stdfs::create_symlink(outside, emu_ + "CFG/$KSTEMP$.brassowl.cfg");
  const test::CliRun played =
      test::RunCliWatched({"launch", profile_, "BRASSOWL"}, dir_, home_.Path());
  EXPECT_EQ(played.status, 0) << played.out << played.err;
  for (const std::string& link : {emu_ + "$KSTEMP$\n", std::string("CFG/$KSTEMP$.brassowl.cfg\n")})
    EXPECT_NE(played.out.find("temporary files: " + link), std::string::npos) << played.out;
  EXPECT_NE(played.out.find("MAME text output"), std::string::npos) << "the capture was shown";
  untouched();
  EXPECT_TRUE(Leftovers(emu_).empty()) << Leftovers(emu_).front();
  EXPECT_TRUE(stdfs::exists(emu_ + "CFG/brassowl.cfg"));

  // The command line is shown as it always was.
  const test::CliRun line =
      test::RunCliWatched({"cmdline", profile_, "BRASSOWL"}, dir_, home_.Path());
  EXPECT_EQ(line.out, "/bin/sh -c '" + emu_ +
                          "mame' 'BRASSOWL' '-romdir' '$KSTEMP$' -video none >'$KSTEMP$.NFO'\n");
}

}  // namespace
}  // namespace kw
