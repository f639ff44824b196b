#include "platform/fs.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <filesystem>
#include <thread>

#include "support/temp_dir.h"

namespace kw::platform::fs {
namespace {

class FsTest : public ::testing::Test {
 protected:
  void SetUp() override { old_cwd_ = CurrentDirectory(); }
  void TearDown() override { EXPECT_TRUE(SetCurrentDirectory(old_cwd_)); }

  test::TempDir dir_;
  std::string old_cwd_;
};

TEST_F(FsTest, ResolvesEachComponentWithoutRegardToCase) {
  dir_.Write("Roms/PacMan/pacman.zip", "zip");
  EXPECT_EQ(Resolve(dir_ / "ROMS/pacman/PACMAN.ZIP"), dir_ / "Roms/PacMan/pacman.zip");
  EXPECT_EQ(*ReadFile(dir_ / "roms/PACMAN/Pacman.Zip"), "zip");
  EXPECT_TRUE(FileExists(dir_ / "ROMS/PACMAN/PACMAN.ZIP"));
  EXPECT_TRUE(DirectoryExists(dir_ / "rOmS/pAcMaN/"));
  EXPECT_FALSE(DirectoryExists(dir_ / "ROMS/PACMAN/PACMAN.ZIP"));
  EXPECT_FALSE(FileExists(dir_ / "ROMS"));
  EXPECT_EQ(FileSize(dir_ / "roms/pacman/pacman.zip"), 3u);
}

TEST_F(FsTest, ExactNameWinsElseFirstInSortedOrder) {
  dir_.Write("abc", "lower");
  dir_.Write("ABC", "upper");
  dir_.Write("Abc", "mixed");
  EXPECT_EQ(*ReadFile(dir_ / "abc"), "lower");
  EXPECT_EQ(*ReadFile(dir_ / "Abc"), "mixed");
  EXPECT_EQ(Resolve(dir_ / "aBC"), dir_ / "ABC");  // 'A' sorts before 'a'
}

// A settled directory's listing is kept between look-ups; every change of its entries is seen.
TEST_F(FsTest, ListingsOfASettledDirectoryFollowItsChanges) {
  dir_.Write("snap/pacman.png", "");
  const std::string snap = dir_ / "snap";
  auto settle = [&snap] {
    const timespec past[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(utimensat(AT_FDCWD, snap.c_str(), past, 0), 0);
  };
  settle();
  EXPECT_EQ(Resolve(snap + "/PACMAN.PNG"), snap + "/pacman.png");
  EXPECT_FALSE(FileExists(snap + "/GALAGA.PNG"));
  dir_.Write("snap/galaga.png", "");  // the directory changes
  EXPECT_TRUE(FileExists(snap + "/GALAGA.PNG"));
  settle();
  EXPECT_TRUE(FileExists(snap + "/GALAGA.PNG"));
  std::filesystem::rename(snap + "/galaga.png", snap + "/Galaga2.png");
  EXPECT_FALSE(FileExists(snap + "/GALAGA.PNG"));
  EXPECT_TRUE(FileExists(snap + "/GALAGA2.PNG"));
}

TEST_F(FsTest, UnmatchedComponentAndTheRestKeptAsGiven) {
  dir_.Write("Data/x", "");
  EXPECT_EQ(Resolve(dir_ / "DATA/New/X"), dir_ / "Data/New/X");
  EXPECT_FALSE(Exists(dir_ / "DATA/New/X"));
}

// The last name alone is looked for when its directory exists as written; the paths whose
// directory part is odd (dots, doubled or trailing separators, a file in place of a directory)
// resolve as a walk through every name does.
TEST_F(FsTest, LastNameResolvedInADirectoryThatExistsAsWritten) {
  dir_.Write("Roms/PacMan.zip", "");
  dir_.Write("Roms/file", "");
  const std::string roms = dir_ / "Roms";
  EXPECT_EQ(Resolve(roms + "/PACMAN.ZIP"), roms + "/PacMan.zip");
  EXPECT_EQ(Resolve(roms + "/GALAGA.ZIP"), roms + "/GALAGA.ZIP");
  EXPECT_EQ(Resolve(roms + "//PACMAN.ZIP"), roms + "//PacMan.zip");
  EXPECT_EQ(Resolve(roms + "/./PACMAN.ZIP"), roms + "/./PacMan.zip");
  EXPECT_EQ(Resolve(roms + "/../ROMS/PACMAN.ZIP"), roms + "/../Roms/PacMan.zip");
  EXPECT_EQ(Resolve(roms + "/file/PACMAN.ZIP"), roms + "/file/PACMAN.ZIP");
  EXPECT_EQ(Resolve(dir_ / "ROMS/."), roms + "/.");
  EXPECT_EQ(Resolve(dir_ / "ROMS/"), roms + "/");
  EXPECT_EQ(Resolve("/ETC"), "/etc");
}

// The look-up in a directory's listing tells what FileExists, DirectoryExists and Resolve tell
// of each name: exact names, other cases, several names folding alike, links and what is not
// there, in a directory named in another case too.
TEST_F(FsTest, NamesLookedUpTogetherAgreeWithTheirOneByOneLookUps) {
  dir_.Write("Roms/pacman.ZIP", "");
  dir_.Write("Roms/ABC.zip", "");
  dir_.Write("Roms/abc.zip", "");
  dir_.Write("Roms/Galaga/x", "");
  dir_.Write("target", "");
  std::filesystem::create_symlink(dir_ / "target", dir_ / "Roms/linked.zip");
  std::filesystem::create_symlink(dir_ / "Roms/Galaga", dir_ / "Roms/linkdir");
  std::filesystem::create_symlink(dir_ / "gone", dir_ / "Roms/dangling.zip");
  const std::vector<std::string> names = {
      "pacman.zip", "PACMAN.ZIP", "pacman.ZIP", "abc.zip",    "Abc.zip", "ABC.ZIP", "galaga",
      "GALAGA",     "galaga.zip", "x",          "LINKED.ZIP", "linkdir", "none.7z", "dangling.zip"};
  for (const std::string& directory : {dir_ / "Roms/", dir_ / "ROMS/", dir_ / "gone/"}) {
    const std::vector<NameInDirectory> found = LookUpNames(directory, names);
    const DirectoryNames listed(directory);
    ASSERT_EQ(found.size(), names.size());
    for (std::size_t i = 0; i < names.size(); ++i) {
      SCOPED_TRACE(directory + names[i]);
      const std::string path = directory + names[i];
      EXPECT_EQ(found[i].path, Resolve(path));
      const NameKind kind = FileExists(path)        ? NameKind::kFile
                            : DirectoryExists(path) ? NameKind::kDirectory
                                                    : NameKind::kNone;
      EXPECT_EQ(found[i].kind, kind);
      const NameInDirectory one = listed.LookUp(names[i]);
      EXPECT_EQ(one.path, found[i].path);
      EXPECT_EQ(one.kind, found[i].kind);
      if (!listed.MayHold(names[i])) {
        EXPECT_EQ(one.kind, NameKind::kNone);
      }
    }
  }
}

// A run's listing answers as the directory was when it was made: a set added or removed later
// counts at the next run.
TEST_F(FsTest, ARunsListingKeepsTheDirectoryAsItWasWhenMade) {
  dir_.Write("Roms/old.zip", "");
  const DirectoryNames listed(dir_ / "roms");
  dir_.Write("Roms/new.zip", "");
  EXPECT_EQ(listed.LookUp("OLD.ZIP").path, dir_ / "Roms/old.zip");
  EXPECT_FALSE(listed.MayHold("new.zip"));
  EXPECT_EQ(DirectoryNames(dir_ / "roms").LookUp("NEW.ZIP").kind, NameKind::kFile);
}

// A folder of thousands of names, some in two cases: each is found in any case, under the first
// of its names in byte order; names that are not there are not held.
TEST_F(FsTest, AListingOfThousandsOfNamesFindsEachInAnyCase) {
  dir_.Write("Roms/keep", "");
  for (int i = 0; i < 3000; ++i) {
    const std::string name = "set" + std::to_string(i) + ".zip";
    ASSERT_EQ(close(open((dir_ / "Roms/" + name).c_str(), O_CREAT | O_WRONLY, 0644)), 0);
    if (i % 100 == 0) {
      const std::string upper = "SET" + std::to_string(i) + ".zip";
      ASSERT_EQ(close(open((dir_ / "Roms/" + upper).c_str(), O_CREAT | O_WRONLY, 0644)), 0);
    }
  }
  const DirectoryNames listed(dir_ / "Roms");
  for (int i = 0; i < 3000; ++i) {
    const std::string number = std::to_string(i);
    SCOPED_TRACE(number);
    const NameInDirectory found = listed.LookUp("Set" + number + ".ZIP");
    EXPECT_EQ(found.kind, NameKind::kFile);
    EXPECT_EQ(found.path,
              dir_ / ("Roms/" + std::string(i % 100 == 0 ? "SET" : "set") + number + ".zip"));
    EXPECT_FALSE(listed.MayHold("set" + number + ".7z"));
  }
}

// The stamp of a listed name is taken through the directory, as it is on disk at that moment;
// any other path is stamped as Stamp does.
TEST_F(FsTest, AListedNamesStampIsThePathsStamp) {
  dir_.Write("Roms/pacman.zip", "zip");
  dir_.Write("Other/galaga.zip", "other");
  const DirectoryNames listed(dir_ / "ROMS");
  const std::string path = listed.LookUp("PACMAN.ZIP").path;
  ASSERT_EQ(path, dir_ / "Roms/pacman.zip");
  EXPECT_EQ(listed.StampOf(path), Stamp(path));
  ASSERT_TRUE(listed.StampOf(path).has_value());
  dir_.Write("Roms/pacman.zip", "longer zip");
  EXPECT_EQ(listed.StampOf(path)->size, 10u);
  EXPECT_EQ(listed.StampOf(dir_ / "Other/galaga.zip"), Stamp(dir_ / "Other/galaga.zip"));
  EXPECT_EQ(listed.StampOf(dir_ / "Roms/gone.zip"), std::nullopt);
  EXPECT_EQ(listed.StampOf(dir_ / "Roms"), std::nullopt);  // no regular file
}

TEST_F(FsTest, NewFileInCaseResolvedDirectoryKeepsItsName) {
  dir_.Write("Cfg/keep", "");
  ASSERT_TRUE(WriteFile(dir_ / "CFG/NewFile.TXT", "hello"));
  EXPECT_EQ(dir_.Read("Cfg/NewFile.TXT"), "hello");
  ASSERT_TRUE(CreateFile(dir_ / "cfg/Empty"));
  EXPECT_TRUE(std::filesystem::exists(dir_ / "Cfg/Empty"));
  ASSERT_TRUE(MakeDirectories(dir_ / "CFG/One/Two/"));
  EXPECT_TRUE(std::filesystem::is_directory(dir_ / "Cfg/One/Two"));
}

TEST_F(FsTest, RelativePathsResolveAgainstTheCurrentDirectoryAndStayRelative) {
  dir_.Write("Sub/File.txt", "rel");
  ASSERT_TRUE(SetCurrentDirectory(dir_.Path()));
  EXPECT_EQ(Resolve("SUB/FILE.TXT"), "Sub/File.txt");
  EXPECT_EQ(*ReadFile("sub/file.txt"), "rel");
  ASSERT_TRUE(SetCurrentDirectory("SUB"));
  EXPECT_EQ(CurrentDirectory(), dir_ / "Sub/");
  EXPECT_EQ(Resolve("../sub/FILE.TXT"), "../Sub/File.txt");
}

TEST_F(FsTest, WriteFileAtomicReplacesTheExistingFileUnderItsOwnName) {
  dir_.Write("Mame.Cfg", "old");
  chmod((dir_ / "Mame.Cfg").c_str(), 0640);
  ASSERT_TRUE(WriteFileAtomic(dir_ / "MAME.CFG", "new"));
  EXPECT_EQ(dir_.Read("Mame.Cfg"), "new");
  EXPECT_EQ(List(dir_.Path()).size(), 1u);  // no temporary file left, no second name
  struct stat st;
  ASSERT_EQ(stat((dir_ / "Mame.Cfg").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0640u);
  ASSERT_TRUE(WriteFileAtomic(dir_ / "Fresh.ini", "x"));
  EXPECT_EQ(dir_.Read("Fresh.ini"), "x");
  EXPECT_EQ(WriteFileAtomic(dir_ / "missing/dir/file", "x").Message(), "No such file or directory");
}

TEST_F(FsTest, ReadFileReportsTheSystemMessage) {
  EXPECT_EQ(ReadFile(dir_ / "nothing").Message(), "No such file or directory");
  EXPECT_EQ(ReadFile(dir_.Path()).Message(), "Is a directory");
  std::string large(3 << 20, 'k');
  large[12345] = '\0';
  ASSERT_TRUE(WriteFile(dir_ / "large", large));
  EXPECT_EQ(*ReadFile(dir_ / "large"), large);
}

TEST_F(FsTest, OnlyARegularFileOrNothingIsWrittenOver) {
  const std::string fifo = dir_ / "pipe";
  ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
  std::filesystem::create_symlink(fifo, dir_ / "link-to-pipe");
  std::filesystem::create_symlink(dir_ / "nowhere", dir_ / "dangling");
  for (const std::string name : {"pipe", "link-to-pipe"}) {
    EXPECT_EQ(WriteFileAtomic(dir_ / name, "x").Message(), fifo + ": not a regular file");
    EXPECT_EQ(WriteFile(dir_ / name, "x").Message(), dir_ / name + ": not a regular file");
  }
  EXPECT_EQ(WriteFileAtomic(dir_ / "dangling", "x").Message(),
            dir_ / "dangling" + ": not a regular file");
  // A character device, as /dev/full is; /dev/null is only looked at, never written.
  EXPECT_EQ(WriteFileAtomic("/dev/null", "x").Message(), "/dev/null: not a regular file");
  EXPECT_EQ(Copy("/etc/hostname", "/dev/null").Message(), "/dev/null: not a regular file");
  struct stat st;
  ASSERT_EQ(lstat(fifo.c_str(), &st), 0);
  EXPECT_TRUE(S_ISFIFO(st.st_mode)) << "still a FIFO";
  ASSERT_EQ(stat("/dev/null", &st), 0);
  EXPECT_TRUE(S_ISCHR(st.st_mode));
  // Reading one does not wait for a writer, nor read a device without end.
  EXPECT_EQ(ReadFile(fifo).Message(), fifo + ": not a regular file");
  EXPECT_EQ(ReadFile("/dev/zero").Message(), "/dev/zero: not a regular file");
  EXPECT_EQ(List(dir_.Path()).size(), 3u) << "no temporary file left";
}

TEST_F(FsTest, AtomicWriteRemovesTheStaleTemporaryFilesOfItsTarget) {
  // A process that has ended: its number is free until something else takes it.
  pid_t gone = fork();
  if (gone == 0) _exit(0);
  ASSERT_GT(gone, 0);
  waitpid(gone, nullptr, 0);
  const std::string stale = ".KESTREL.INI.tmp" + std::to_string(gone) + "-3";
  const std::string live = ".KESTREL.INI.tmp" + std::to_string(getppid()) + "-0";
  const std::string other = ".STATS.INI.tmp" + std::to_string(gone) + "-0";
  for (const std::string& name : {stale, live, other, std::string(".KESTREL.INI.tmpX-1")})
    dir_.Write(name, "partial");
  ASSERT_TRUE(WriteFileAtomic(dir_ / "KESTREL.INI", "new"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / stale));
  EXPECT_TRUE(std::filesystem::exists(dir_ / live)) << "a live process's write";
  EXPECT_TRUE(std::filesystem::exists(dir_ / other)) << "another target's";
  EXPECT_TRUE(std::filesystem::exists(dir_ / ".KESTREL.INI.tmpX-1")) << "not such a name";
  EXPECT_EQ(dir_.Read("KESTREL.INI"), "new");
}

TEST_F(FsTest, AtomicWriteThroughANamedTemporaryFile) {
  dir_.Write("MAME.CFG", "old");
  dir_.Write("$KSTEMP$.CFG", "left behind");
  ASSERT_TRUE(WriteFileAtomic(dir_ / "mame.cfg", "new", "$KSTEMP$.CFG"));
  EXPECT_EQ(dir_.Read("MAME.CFG"), "new");
  EXPECT_FALSE(std::filesystem::exists(dir_ / "$KSTEMP$.CFG"));
  std::filesystem::create_directory(dir_ / "$KSTEMP$.CFG");
  EXPECT_EQ(WriteFileAtomic(dir_ / "MAME.CFG", "x", "$KSTEMP$.CFG").Message(),
            dir_ / "$KSTEMP$.CFG: not a regular file");
  EXPECT_FALSE(WriteFileAtomic(dir_ / "MAME.CFG", "x", "../T.CFG"));
  EXPECT_EQ(dir_.Read("MAME.CFG"), "new");
  // A read-only file stays (permissions do not stop root).
  chmod((dir_ / "MAME.CFG").c_str(), 0444);
  if (geteuid() != 0) {
    EXPECT_EQ(WriteFileAtomic(dir_ / "MAME.CFG", "x").Message(), "Permission denied");
  }
}

// Pieces written at their places from two threads at once, in no order; the target changes
// only at the commit, and a file not committed leaves nothing behind.
TEST_F(FsTest, AnAtomicFileWrittenInPiecesIsPutInPlaceOnlyWhenCommitted) {
  dir_.Write("PROFILE.KSL", "old");
  std::string expected(3 << 20, '\0');
  for (std::size_t i = 0; i < expected.size(); ++i)
    expected[i] = static_cast<char>('a' + (i * 7 + i / 4093) % 26);
  {
    Result<AtomicFile> file = AtomicFile::Begin(dir_ / "profile.ksl");
    ASSERT_TRUE(file) << file.Message();
    // One thread writes the even pieces from the last, the other the odd ones from the first.
    constexpr std::size_t kPiece = 100000;
    const std::size_t pieces = (expected.size() + kPiece - 1) / kPiece;
    auto write_every_other = [&](std::size_t parity) {
      for (std::size_t k = 0; k < pieces; ++k) {
        const std::size_t piece = parity == 0 ? pieces - 1 - k : k;
        if (piece % 2 != parity) continue;
        const std::string_view bytes = std::string_view(expected).substr(piece * kPiece, kPiece);
        EXPECT_TRUE(file->WriteAt(piece * kPiece, bytes));
      }
    };
    std::thread other(write_every_other, 1);
    write_every_other(0);
    other.join();
    EXPECT_EQ(dir_.Read("PROFILE.KSL"), "old");
    EXPECT_EQ(List(dir_.Path()).size(), 2u);
    ASSERT_TRUE(file->Commit());
    EXPECT_FALSE(file->Commit()) << "committed once";
  }
  EXPECT_EQ(dir_.Read("PROFILE.KSL"), expected);
  {
    Result<AtomicFile> dropped = AtomicFile::Begin(dir_ / "PROFILE.KSL");
    ASSERT_TRUE(dropped);
    ASSERT_TRUE(dropped->WriteAt(0, "partial"));
  }
  EXPECT_EQ(dir_.Read("PROFILE.KSL"), expected);
  EXPECT_EQ(List(dir_.Path()).size(), 1u) << "no temporary file left";
  ASSERT_EQ(mkfifo((dir_ / "pipe").c_str(), 0600), 0);
  EXPECT_EQ(AtomicFile::Begin(dir_ / "pipe").Message(), dir_ / "pipe" + ": not a regular file");
}

TEST_F(FsTest, ListIsSortedAndMarksDirectories) {
  dir_.Write("b", "");
  dir_.Write("B/inner", "");
  dir_.Write("a.txt", "");
  std::vector<DirEntry> entries = List(dir_.Path());
  ASSERT_EQ(entries.size(), 3u);
  EXPECT_EQ(entries[0].name, "B");
  EXPECT_TRUE(entries[0].is_directory);
  EXPECT_EQ(entries[1].name, "a.txt");
  EXPECT_EQ(entries[2].name, "b");
  EXPECT_FALSE(entries[2].is_directory);
  EXPECT_TRUE(List(dir_ / "none").empty());
}

TEST_F(FsTest, LinksAreMarkedAndAtomicWritesKeepThem) {
  dir_.Write("real/KESTREL.INI", "old");
  std::filesystem::create_directory_symlink(dir_ / "real", dir_ / "linked");
  std::filesystem::create_symlink(dir_ / "real/KESTREL.INI", dir_ / "kestrel.ini");
  for (const DirEntry& e : List(dir_.Path())) {
    if (e.name == "linked") {
      EXPECT_TRUE(e.is_directory && e.is_link);
    }
    if (e.name == "real") {
      EXPECT_TRUE(e.is_directory && !e.is_link);
    }
    if (e.name == "kestrel.ini") {
      EXPECT_TRUE(!e.is_directory && e.is_link);
    }
  }
  ASSERT_TRUE(WriteFileAtomic(dir_ / "KESTREL.INI", "new"));  // found as kestrel.ini
  EXPECT_TRUE(std::filesystem::is_symlink(dir_ / "kestrel.ini"));
  EXPECT_EQ(dir_.Read("real/KESTREL.INI"), "new");
}

TEST_F(FsTest, CopyRenameDeleteAndDeleteTree) {
  dir_.Write("Tree/Sub/deep.txt", "d");
  dir_.Write("Tree/top.txt", "t");
  ASSERT_TRUE(Copy(dir_ / "TREE/TOP.TXT", dir_ / "tree/copy.txt"));
  EXPECT_EQ(dir_.Read("Tree/copy.txt"), "t");
  ASSERT_TRUE(Rename(dir_ / "TREE/COPY.TXT", dir_ / "tree/Moved.txt"));
  EXPECT_EQ(dir_.Read("Tree/Moved.txt"), "t");
  ASSERT_TRUE(Delete(dir_ / "tree/moved.TXT"));
  EXPECT_FALSE(Exists(dir_ / "Tree/Moved.txt"));
  EXPECT_EQ(Delete(dir_ / "tree/moved.txt").Message(), "No such file or directory");
  std::filesystem::create_symlink(dir_ / "Tree/Sub", dir_ / "Tree/link");
  ASSERT_TRUE(DeleteTree(dir_ / "TREE/"));
  EXPECT_FALSE(std::filesystem::exists(dir_ / "Tree"));
  EXPECT_EQ(MakeDirectory(dir_ / "a/b").Message(), "No such file or directory");
}

TEST(FsText, PathHelpers) {
  EXPECT_EQ(IncludeTrailingSeparator("/a"), "/a/");
  EXPECT_EQ(IncludeTrailingSeparator("/a/"), "/a/");
  EXPECT_EQ(ExcludeTrailingSeparator("/a/"), "/a");
  EXPECT_EQ(ExcludeTrailingSeparator("/"), "/");
  EXPECT_EQ(ExtractFileName("/x/y/Game.ZIP"), "Game.ZIP");
  EXPECT_EQ(ExtractFilePath("/x/y/Game.ZIP"), "/x/y/");
  EXPECT_EQ(ExtractFilePath("Game.ZIP"), "");
  EXPECT_EQ(ExtractFileExt("/x/y/Game.ZIP"), ".ZIP");
  EXPECT_EQ(ExtractFileExt("/x.d/Game"), "");
  EXPECT_EQ(ChangeFileExt("/x.d/Game", ".cfg"), "/x.d/Game.cfg");
  EXPECT_EQ(ChangeFileExt("/x/Game.ZIP", ".nv"), "/x/Game.nv");
  EXPECT_TRUE(IsAbsolute("/x"));
  EXPECT_FALSE(IsAbsolute("x"));
  EXPECT_EQ(ExpandFileName("/a/./b/../c/"), "/a/c/");
  EXPECT_EQ(ExpandFileName("rel/x"), CurrentDirectory() + "rel/x");
}

}  // namespace
}  // namespace kw::platform::fs
