#include <gtest/gtest.h>

#include <cerrno>

#include "common/test_support.h"
#include "platform/faulty_file_system.h"
#include "platform/system_error_text.h"

namespace korvane {
namespace {

std::string ReadAll(FileSystem& files, const std::string& path) {
  int error = 0;
  const std::unique_ptr<InputFile> file = files.OpenForReading(path, error);
  if (file == nullptr) return "<" + SystemErrorText(error) + ">";
  std::string bytes, chunk(4, '\0');
  for (std::int64_t got; (got = file->ReadAt(chunk.data(), chunk.size(), bytes.size())) > 0;) {
    bytes.append(chunk, 0, static_cast<std::size_t>(got));
  }
  return bytes;
}

// The machine's file system as the export uses it: a temporary file beside the target,
// a second name, one-step replacement, and the names of what a killed write left.
TEST(PosixFileSystem, WritesBesideTheTargetAndKnowsItsLeftovers) {
  test::TempFolder folder;
  FileSystem& files = DefaultFileSystem();
  const std::string target = folder.Write("f.ged", "alt");
  std::string temporary;
  int error = 0;
  std::unique_ptr<OutputFile> out = files.CreateTemporary(target, temporary, error);
  ASSERT_NE(out, nullptr);
  EXPECT_TRUE(IsTemporaryName(temporary.substr(folder.Path("").size()), "f.ged")) << temporary;
  EXPECT_EQ(out->Write("neu", 3), 0);
  EXPECT_EQ(out->Sync(), 0);
  EXPECT_EQ(out->Close(), 0);
  EXPECT_EQ(files.Link(target, folder.Path("f.bak")), 0);
  EXPECT_EQ(files.Link(target, folder.Path("f.bak")), EEXIST);  // never over a backup
  EXPECT_EQ(files.Rename(temporary, target), 0);
  EXPECT_EQ(ReadAll(files, target), "neu");
  EXPECT_EQ(ReadAll(files, folder.Path("f.bak")), "alt");
  EXPECT_EQ(ReadAll(files, folder.Path("fehlt.ged")),
            "<Die Datei oder der Ordner existiert nicht>");

  FileStatus status;
  EXPECT_EQ(files.Status(folder.Path(""), status), 0);
  EXPECT_EQ(status.kind, FileKind::Directory);
  EXPECT_EQ(files.Status(folder.Path("fehlt"), status), 0);
  EXPECT_EQ(status.kind, FileKind::Missing);
  EXPECT_EQ(files.CreateNew(target, error), nullptr);
  EXPECT_EQ(error, EEXIST);

  folder.Write("f.ged.neu-Ab12cd", "Rest");
  folder.Write("f.ged.neu-Ab12c", "fremd");
  folder.Write("f.ged.neu-Ab12c!", "fremd");
  folder.Write("xf.ged.neu-Ab12cd", "fremd");
  RemoveTemporariesOf(files, target);
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"f.bak", "f.ged", "f.ged.neu-Ab12c",
                                                      "f.ged.neu-Ab12c!", "xf.ged.neu-Ab12cd"}));
}

// The double fails exactly where it is told to, and after a crash does nothing at all.
TEST(FaultyFileSystem, FailsAtTheChosenCallByteOrStep) {
  test::TempFolder folder;
  FaultyFileSystem files;
  const std::string path = folder.Write("a.ged", "0123456789");

  files.FailAt(FileOp::Open, 2, EACCES);
  EXPECT_EQ(ReadAll(files, path), "0123456789");
  EXPECT_EQ(ReadAll(files, path), "<Keine Berechtigung>");
  EXPECT_EQ(ReadAll(files, path), "0123456789");

  files.FailReadAtByte(6, EIO);
  EXPECT_EQ(ReadAll(files, path), "012345");  // a short read, then the error
  int error = 0;
  const std::unique_ptr<InputFile> in = files.OpenForReading(path, error);
  char byte = 0;
  EXPECT_EQ(in->ReadAt(&byte, 1, 6), -EIO);
  EXPECT_EQ(in->ReadAt(&byte, 1, 7), 1);  // only the bad byte is bad
  files.Heal();

  std::string temporary;
  std::unique_ptr<OutputFile> out = files.CreateTemporary(path, temporary, error);
  files.FailWriteAtByte(5, ENOSPC);
  EXPECT_EQ(out->Write("abc", 3), 0);
  EXPECT_EQ(out->Write("defg", 4), ENOSPC);
  EXPECT_EQ(out->Close(), 0);
  EXPECT_EQ(ReadAll(files, temporary), "abcde");

  files.CrashAtStep(files.Steps() + 1);
  EXPECT_EQ(files.Rename(temporary, path), 0);
  EXPECT_EQ(files.Remove(path), EIO);
  EXPECT_EQ(files.Link(path, folder.Path("b.ged")), EIO);
  EXPECT_EQ(files.CreateNew(folder.Path("c.ged"), error), nullptr);
  EXPECT_EQ(folder.Names(), std::vector<std::string>{"a.ged"});
  EXPECT_EQ(files.Calls().back(), FileOp::CreateNew);
}

TEST(SystemErrorText, NamesTheReasonsAUserCanMend) {
  EXPECT_EQ(SystemErrorText(ENOSPC), "Der Datenträger ist voll");
  EXPECT_EQ(SystemErrorText(EROFS), "Der Datenträger ist schreibgeschützt");
  EXPECT_EQ(SystemErrorText(EACCES), "Keine Berechtigung");
  EXPECT_EQ(SystemErrorText(987654), "Systemfehler 987654");
}

}  // namespace
}  // namespace korvane
