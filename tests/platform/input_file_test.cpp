// Outside files are read only when they are regular files: a FIFO, a socket or a device is
// refused at once, without waiting for a writer.
#include "platform/input_file.h"

#include <gtest/gtest.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

#include <cstring>
#include <filesystem>

#include "platform/archive.h"
#include "platform/fs.h"
#include "platform/mapped_file.h"
#include "platform/sevenzip_directory.h"
#include "platform/zip_directory.h"
#include "support/temp_dir.h"

namespace kw::platform {
namespace {

class InputFileTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_EQ(mkfifo(fifo_.c_str(), 0600), 0);
    // A listening socket in the file system, as a local server leaves one.
    sock_fd_ = socket(AF_UNIX, SOCK_STREAM, 0);
    ASSERT_GE(sock_fd_, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    ASSERT_LT(socket_.size(), sizeof address.sun_path);
    std::memcpy(address.sun_path, socket_.c_str(), socket_.size() + 1);
    ASSERT_EQ(bind(sock_fd_, reinterpret_cast<sockaddr*>(&address), sizeof address), 0);
    ASSERT_EQ(listen(sock_fd_, 1), 0);
  }
  void TearDown() override {
    if (sock_fd_ >= 0) close(sock_fd_);
  }

  test::TempDir dir_;
  const std::string fifo_ = dir_ / "frostfly.zip";
  const std::string socket_ = dir_ / "s.zip";
  int sock_fd_ = -1;
};

TEST_F(InputFileTest, OnlyARegularFileOrAnAskedForDirectoryIsOpened) {
  const std::string file = dir_.Write("a.rom", "ABC");
  Result<InputFile> opened = InputFile::Open(file);
  ASSERT_TRUE(opened) << opened.Message();
  EXPECT_EQ(opened->Size(), 3u);
  EXPECT_EQ(*opened->ReadAll(), "ABC");
  for (const std::string& other : {fifo_, socket_, std::string("/dev/null")})
    EXPECT_EQ(InputFile::Open(other).Message(), kNotRegularFile) << other;
  EXPECT_EQ(InputFile::Open(dir_.Path()).Message(), "Is a directory");
  Result<InputFile> directory = InputFile::Open(dir_.Path(), InputKind::kFileOrDirectory);
  ASSERT_TRUE(directory);
  EXPECT_TRUE(directory->IsDirectory());
  EXPECT_EQ(InputFile::Open(fifo_, InputKind::kFileOrDirectory).Message(), kNotRegularFile);
  std::filesystem::create_symlink(file, dir_ / "link.rom");
  EXPECT_TRUE(InputFile::Open(dir_ / "link.rom"));
  EXPECT_FALSE(InputFile::Open(dir_ / "link.rom", InputKind::kFile, InputLinks::kRefuse));
}

TEST_F(InputFileTest, EveryReaderRefusesAFifoASocketAndADevice) {
  const std::string dest = dir_ / "$KSTEMP$";
  ASSERT_TRUE(fs::MakeDirectory(dest));
  for (const std::string& path : {fifo_, socket_, std::string("/dev/null")}) {
    SCOPED_TRACE(path);
    EXPECT_EQ(fs::ReadFile(path).Message(), path + ": not a regular file");
    EXPECT_EQ(fs::Copy(path, dir_ / "copy").Message(), path + ": not a regular file");
    EXPECT_EQ(MappedFile::Open(path).Message(), path + ": not a regular file");
    EXPECT_EQ(archive::ExtractFlat(path, dest).Message(), path + ": not a regular file");
    EXPECT_EQ(archive::ReadFileFlat(path, "a.rom", *archive::MakeDirectorySink(dest)).Message(),
              "not a regular file");
    EXPECT_EQ(archive::ReadZipDirectory(path).Message(), "not a regular file");
    EXPECT_NE(archive::Read7zDirectory(path).Message().find("not a regular file"),
              std::string::npos);
  }
  EXPECT_TRUE(fs::List(dest).empty());
  EXPECT_FALSE(std::filesystem::exists(dir_ / "copy"));
}

}  // namespace
}  // namespace kw::platform
