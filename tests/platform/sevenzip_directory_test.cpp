#include "platform/sevenzip_directory.h"

#include <gtest/gtest.h>
#include <zlib.h>

#include <filesystem>
#include <map>

#include "support/run_command.h"
#include "support/temp_dir.h"

namespace kw::platform::archive {
namespace {

std::uint32_t Crc(const std::string& data) {
  return static_cast<std::uint32_t>(
      crc32(0, reinterpret_cast<const Bytef*>(data.data()), static_cast<uInt>(data.size())));
}

// Bytes that LZMA cannot shrink much, so that sizes and CRCs differ from file to file.
std::string Noise(std::size_t size, std::uint32_t seed) {
  std::string out(size, '\0');
  for (char& c : out) {
    seed = seed * 1103515245 + 12345;
    c = static_cast<char>(seed >> 16);
  }
  return out;
}

class SevenZipDirectoryTest : public ::testing::Test {
 protected:
  test::TempDir work_;
  // The set's files, by the name the archive stores.
  std::map<std::string, std::string> files_ = {{"pacman.6e", Noise(4096, 1)},
                                               {"pacman.6f", Noise(3000, 2)},
                                               {"sub/pacman.6h", std::string(5000, 'x')}};

  void SetUp() override {
    for (const auto& [name, data] : files_)
      work_.Write("src/" + name, data);
  }
  // Archives the source directory's contents with the 7z program, `options` before the names.
  std::string Make(const std::string& archive, std::vector<std::string> options) {
    std::vector<std::string> args = {"7z", "a", "-bd", "-y"};
    args.insert(args.end(), options.begin(), options.end());
    args.push_back(work_ / archive);
    for (const auto& entry : std::filesystem::directory_iterator(work_ / "src"))
      args.push_back(entry.path().filename().string());
    test::CommandResult made = test::RunCommand("cd " + test::ShellQuoted(work_ / "src") + " && " +
                                                test::CommandLine(args) + " 2>&1");
    EXPECT_EQ(made.status, 0) << made.out;
    return work_ / archive;
  }
  // Checks that the archive lists every file with its size and CRC, and nothing else but the
  // directories; gives the entries.
  std::vector<StoredEntry> ExpectFiles(const std::string& archive, bool encrypted = false) {
    Result<std::vector<StoredEntry>> read = Read7zDirectory(archive);
    EXPECT_TRUE(read) << read.Message();
    if (!read) return {};
    std::map<std::string, const StoredEntry*> listed;
    for (const StoredEntry& entry : *read) {
      if (!entry.is_directory) listed[entry.name] = &entry;
    }
    EXPECT_EQ(listed.size(), files_.size());
    for (const auto& [name, data] : files_) {
      SCOPED_TRACE(name);
      auto found = listed.find(name);
      if (found == listed.end()) {
        ADD_FAILURE() << "not listed";
        continue;
      }
      const StoredEntry& entry = *found->second;
      EXPECT_EQ(entry.size, data.size());
      EXPECT_EQ(entry.crc_known, !data.empty());
      EXPECT_EQ(entry.crc, data.empty() ? 0 : Crc(data));
      EXPECT_EQ(entry.encrypted, encrypted);
    }
    // The same from the bytes in memory.
    Result<std::vector<StoredEntry>> parsed =
        Parse7zDirectory(work_.Read(archive.substr(work_.Path().size())), "set.7z");
    EXPECT_TRUE(parsed && parsed->size() == read->size()) << parsed.Message();
    return std::move(*read);
  }
};

TEST_F(SevenZipDirectoryTest, SolidNonSolidAndStoredArchivesGiveEveryFilesSizeAndCrc) {
  // Solid LZMA and LZMA2 with a compressed header, one folder per file, no compression and a
  // plain header.
  ExpectFiles(Make("lzma.7z", {"-m0=LZMA", "-ms=on"}));
  ExpectFiles(Make("lzma2.7z", {"-m0=LZMA2", "-ms=on", "-mhc=on"}));
  ExpectFiles(Make("non_solid.7z", {"-ms=off"}));
  std::vector<StoredEntry> stored = ExpectFiles(Make("copy.7z", {"-m0=Copy", "-mhc=off"}));
  // The directory is listed as one.
  ASSERT_EQ(stored.size(), 4u);
  EXPECT_EQ(std::count_if(stored.begin(), stored.end(),
                          [](const StoredEntry& e) { return e.is_directory && e.name == "sub"; }),
            1);
}

TEST_F(SevenZipDirectoryTest, EmptyFilesAndDirectoriesHaveNoData) {
  files_["empty.bin"] = "";
  files_["sub/deeper/also_empty"] = "";
  work_.Write("src/empty.bin", "");
  work_.Write("src/sub/deeper/also_empty", "");
  std::filesystem::create_directories(work_ / "src/sub/hollow");
  for (std::string header : {"-mhc=on", "-mhc=off"}) {
    std::vector<StoredEntry> entries = ExpectFiles(Make("empty" + header + ".7z", {header}));
    std::vector<std::string> directories;
    for (const StoredEntry& e : entries) {
      if (!e.is_directory) continue;
      directories.push_back(e.name);
      EXPECT_EQ(e.size, 0u);
      EXPECT_FALSE(e.crc_known);
    }
    std::sort(directories.begin(), directories.end());
    EXPECT_EQ(directories, (std::vector<std::string>{"sub", "sub/deeper", "sub/hollow"}));
  }
}

TEST_F(SevenZipDirectoryTest, EncryptedDataIsFlaggedAndAnEncryptedHeaderIsUnsupported) {
  ExpectFiles(Make("data.7z", {"-psecret", "-mhe=off"}), true);
  const std::string header = Make("header.7z", {"-psecret", "-mhe=on"});
  Result<std::vector<StoredEntry>> read = Read7zDirectory(header);
  ASSERT_FALSE(read);
  EXPECT_EQ(read.Message(), header + ": unsupported header coder");
}

TEST_F(SevenZipDirectoryTest, DamagedAndTruncatedArchivesFailClearly) {
  const std::string whole = work_.Read(Make("set.7z", {}).substr(work_.Path().size()));
  ASSERT_GT(whole.size(), 64u);
  auto message = [](const std::string& bytes) {
    Result<std::vector<StoredEntry>> parsed = Parse7zDirectory(bytes, "set.7z");
    EXPECT_FALSE(parsed);
    return parsed.Message();
  };
  EXPECT_EQ(message(whole.substr(0, whole.size() - 1)), "set.7z: the archive is truncated");
  EXPECT_EQ(message(whole.substr(0, 40)), "set.7z: the archive is truncated");
  EXPECT_EQ(message(whole.substr(0, 20)), "set.7z: the archive is truncated");
  EXPECT_EQ(message("PK\3\4 not at all"), "set.7z: not a 7z archive");
  std::string damaged = whole;
  damaged[whole.size() - 3] ^= 1;  // in the header, behind its CRC
  EXPECT_EQ(message(damaged), "set.7z: the header is damaged");
  damaged = whole;
  damaged[14] ^= 1;  // the header's offset
  EXPECT_EQ(message(damaged), "set.7z: the start header is damaged");

  work_.Write("cut.7z", whole.substr(0, whole.size() / 2));
  Result<std::vector<StoredEntry>> read = Read7zDirectory(work_ / "cut.7z");
  ASSERT_FALSE(read);
  EXPECT_EQ(read.Message(), work_ / "cut.7z" + ": the archive is truncated");
  EXPECT_FALSE(Read7zDirectory(work_ / "missing.7z"));
}

}  // namespace
}  // namespace kw::platform::archive
