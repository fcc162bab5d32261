#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "export_test_util.h"
#include "gedcom/file_parts.h"

namespace korvane::export_test {
namespace {

namespace fs = std::filesystem;

// What an export left behind: the new file's bytes and where the tables now find
// each record.
struct Exported {
  std::string bytes;
  std::vector<std::uint64_t> offsets;
};

Exported ExportWith(const std::string& path, const FilePartPolicy& policy, bool rebuildAll) {
  SetFilePartPolicy(policy);
  Session s;
  EXPECT_TRUE(s.Load(path)) << path;
  s.SelectAll();
  if (rebuildAll) {
    for (Person& p : s.store.personTable) p.flags |= ChangedFlag;
    for (Family& f : s.store.familyTable) f.flags |= ChangedFlag;
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

// Every part of a file is read and written at the same time; the result must not show it.
TEST_F(ExportInParts, WritesTheSameFileAsInOnePiece) {
  TempFolder folder;
  std::set<std::string> files = {
      std::string(KORVANE_SAMPLES) + "/familie-brandt.ged",
      // Notes before and after their references, LF CR line ends, a TRLR in the middle
      // with records behind it that must not be written.
      folder.Write("mixed.ged",
                   "0 HEAD\n\r0 @N1@ NOTE vorn\n\r0 @I1@ INDI\n\r1 NAME A /B/\n\r1 FAMS @F1@\n\r"
                   "1 NOTE @N1@\n\r0 @I2@ INDI\n\r1 NAME C /D/\n\r1 FAMS @F1@\n\r"
                   "1 SOUR @S2@\n\r0 @F1@ FAM\n\r1 HUSB @I1@\n\r1 WIFE @I2@\n\r"
                   "1 NOTE @N3@\n\r0 @N3@ NOTE hinten\n\r0 @S2@ SOUR\n\r1 TITL T\n\r0 TRLR\n\r"
                   "0 @N9@ NOTE danach\n\r0 @I3@ INDI\n\r1 NAME E /F/\n\r")};
  std::error_code missing;
  for (const auto& entry : fs::directory_iterator(KORVANE_SHARED_TESTDATA, missing)) {
    const std::string ext = entry.path().extension().string();
    if (ext == ".ged" || ext == ".GED") files.insert(entry.path().string());
  }
  for (const std::string& file : files) {
    for (const bool rebuildAll : {false, true}) {
      SCOPED_TRACE(file + (rebuildAll ? " rebuilt" : " unchanged"));
      const Exported whole = ExportWith(file, {1, 0}, rebuildAll);
      for (const int parts : {2, 7}) {
        const Exported split = ExportWith(file, {parts, 1}, rebuildAll);
        ASSERT_EQ(split.bytes, whole.bytes) << parts << " parts";
        ASSERT_EQ(split.offsets, whole.offsets) << parts << " parts";
      }
    }
  }
}

}  // namespace
}  // namespace korvane::export_test
