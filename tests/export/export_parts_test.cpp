#include <gtest/gtest.h>

#include <set>

#include "export_test_util.h"
#include "gedcom/file_parts.h"
#include "store/link_list.h"

namespace korvane::export_test {
namespace {

// What an export left behind: the new file's bytes and where the tables now find
// each record.
struct Exported {
  std::string bytes;
  std::vector<std::uint64_t> offsets;
};

// How an export is run: its parts, which records are changed and selected, and whether
// the note and source pointers gathered by the load are forgotten (then the export reads
// them from the file itself).
struct ExportRun {
  FilePartPolicy policy{1, 0};
  bool rebuildAll = false;
  int selectEvery = 1;
  bool forgetLoadedPointers = false;
  bool addRecords = false;  // a new person and a new family of his, written behind the file
};

Exported ExportWith(const std::string& path, const ExportRun& run) {
  SetFilePartPolicy(run.policy);
  Session s;
  EXPECT_TRUE(s.Load(path)) << path;
  for (Rin rin = 1; rin <= s.store.PersonCount(); rin += run.selectEvery) s.Select({rin});
  if (run.forgetLoadedPointers) s.file.counts.references.file = FileIdentity{};
  if (run.rebuildAll) {
    for (Person& p : s.store.personTable) p.flags |= ChangedFlag;
    for (Family& f : s.store.familyTable) f.flags |= ChangedFlag;
  }
  if (run.addRecords) {
    const Rin rin = s.store.AddPerson();
    const Mrin mrin = s.store.AddFamily();
    s.P(rin).givenNames = InternText(s.store.texts, TextPoolId::GivenNames, "Neu");
    s.P(rin).flags |= SelectedFlag;
    ListAppend(s.P(rin).fams, mrin);
    s.store.familyTable[mrin].husband = rin;
  }
  const std::string target = s.folder.Path("out.ged");
  EXPECT_TRUE(ExportTo(s.context, target)) << path;
  Exported result{ReadFile(target), {}};
  for (const Person& p : s.store.personTable) result.offsets.push_back(p.recordOffset);
  for (const Family& f : s.store.familyTable) result.offsets.push_back(f.recordOffset);
  return result;
}

class ExportInParts : public ::testing::Test {
 protected:
  ~ExportInParts() override { SetFilePartPolicy(saved_); }
  const FilePartPolicy saved_ = CurrentFilePartPolicy();
};

// The sample, every shared file and one made for the cases below.
std::set<std::string> TestFiles(const TempFolder& folder) {
  std::set<std::string> files = SampleFiles();
  files.insert(
      {// Notes before and after their references, LF CR line ends, a TRLR in the middle
       // with records behind it, which are written before it.
       folder.Write("mixed.ged",
                    "0 HEAD\n\r0 @N1@ NOTE vorn\n\r0 @I1@ INDI\n\r1 NAME A /B/\n\r1 FAMS @F1@\n\r"
                    "1 NOTE @N1@\n\r0 @I2@ INDI\n\r1 NAME C /D/\n\r1 FAMS @F1@\n\r"
                    "1 SOUR @S2@\n\r0 @F1@ FAM\n\r1 HUSB @I1@\n\r1 WIFE @I2@\n\r"
                    "1 NOTE @N3@\n\r0 @N3@ NOTE hinten\n\r0 @S2@ SOUR\n\r1 TITL T\n\r0 TRLR\n\r"
                    "0 @N9@ NOTE danach\n\r0 @I3@ INDI\n\r1 NAME E /F/\n\r"),
       // Pointers below link lines (written with the line or not), below `_` tags, in a
       // note written only because another note refers to it, and a CHIL line in a person.
       folder.Write("links.ged",
                    "0 HEAD\n0 @S1@ SOUR\n1 NOTE @N2@\n0 @N2@ NOTE n2\n0 @I1@ INDI\n"
                    "1 NAME A /B/\n1 FAMS @F1@\n2 SOUR @S3@\n1 FAMS @F2@\n2 NOTE @N4@\n"
                    "1 CHIL @I2@\n2 NOTE @N5@\n1 BIRT\n2 _X y\n3 SOUR @S6@\n2 SOUR @S1@\n"
                    "0 @I2@ INDI\n1 NAME C /D/\n1 FAMC @F1@\n0 @I3@ INDI\n1 NAME E /F/\n"
                    "1 FAMS @F2@\n0 @F1@ FAM\n1 HUSB @I1@\n2 NOTE @N7@\n1 CHIL @I2@\n"
                    "2 SOUR @S3@\n1 WIFE @I9@\n2 NOTE @N8@\n0 @F2@ FAM\n1 HUSB @I1@\n"
                    "1 WIFE @I3@\n2 SOUR @S6@\n0 @S3@ SOUR\n0 @N4@ NOTE\n0 @N5@ NOTE\n"
                    "0 @S6@ SOUR\n0 @N7@ NOTE\n0 @N8@ NOTE\n0 TRLR\n"),
       // No TRLR line, and no line end behind the last line.
       folder.Write("open.ged", "0 HEAD\n0 @I1@ INDI\n1 NAME A /B/\n0 @I2@ INDI\n1 NAME C /D/")});
  return files;
}

// Every part of a file is read and written at the same time; the result must not show it.
TEST_F(ExportInParts, WritesTheSameFileAsInOnePiece) {
  TempFolder folder;
  for (const std::string& file : TestFiles(folder)) {
    for (const bool rebuildAll : {false, true}) {
      const bool added = !rebuildAll;  // once is enough
      SCOPED_TRACE(file + (rebuildAll ? " rebuilt" : " unchanged, records added"));
      const Exported whole = ExportWith(file, {.rebuildAll = rebuildAll, .addRecords = added});
      for (const int parts : {2, 7}) {
        const Exported split =
            ExportWith(file, {.policy = {parts, 1}, .rebuildAll = rebuildAll, .addRecords = added});
        ASSERT_EQ(split.bytes, whole.bytes) << parts << " parts";
        ASSERT_EQ(split.offsets, whole.offsets) << parts << " parts";
      }
    }
  }
}

// The load gathers the note and source pointers on its way; an export of a file read
// since then reads them itself. Both must number alike, whatever is selected.
TEST_F(ExportInParts, PointersGatheredByTheLoadNumberAsPointersReadAgain) {
  TempFolder folder;
  for (const std::string& file : TestFiles(folder)) {
    for (const int every : {1, 2, 3}) {
      SCOPED_TRACE(file + ", every " + std::to_string(every) + ". person");
      const ExportRun loaded{.policy = {3, 1}, .selectEvery = every};
      ExportRun readAgain = loaded;
      readAgain.forgetLoadedPointers = true;
      ASSERT_EQ(ExportWith(file, loaded).bytes, ExportWith(file, readAgain).bytes);
    }
  }
}

}  // namespace
}  // namespace korvane::export_test
