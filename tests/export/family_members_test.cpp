// A family is exported when any of its members is: a child keeps the family it comes
// from, also one without husband and wife.
#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "export_test_util.h"
#include "store/link_list.h"

namespace korvane::export_test {
namespace {

namespace fs = std::filesystem;

// Two children of unknown parents, and a couple whose family names the first child too.
const std::string kFoundlings =
    Ged("0 HEAD|0 @I1@ INDI|1 NAME Paul /Brandt/|1 FAMC @F1@|2 PEDI birth|1 FAMC @F2@|"
        "0 @I2@ INDI|1 NAME Marie /Brandt/|1 FAMC @F1@|0 @I3@ INDI|1 NAME Karl /Brandt/|"
        "1 SEX M|1 FAMS @F2@|0 @F1@ FAM|1 CHIL @I1@|1 CHIL @I2@|1 NOTE Findelkinder|"
        "0 @F2@ FAM|1 HUSB @I3@|1 CHIL @I1@|0 TRLR");

TEST(FamilyMembers, ASelectedChildKeepsItsFamilyWithoutParents) {
  for (const bool changed : {false, true}) {
    SCOPED_TRACE(changed ? "the child rebuilt" : "the child copied");
    Session s;
    ASSERT_TRUE(s.LoadText(kFoundlings));
    s.Select({1});
    if (changed) s.P(1).flags |= ChangedFlag;
    const Lines lines = s.Export();
    EXPECT_EQ(Record(lines, "0 @I1@ INDI"),
              Split("0 @I1@ INDI|1 NAME Paul /Brandt/|1 FAMC @F1@|2 PEDI birth|1 FAMC @F2@"));
    EXPECT_EQ(Record(lines, "0 @F1@ FAM"), Split("0 @F1@ FAM|1 CHIL @I1@|1 NOTE Findelkinder"));
    EXPECT_EQ(Record(lines, "0 @F2@ FAM"), Split("0 @F2@ FAM|1 CHIL @I1@"));
    EXPECT_EQ(Record(lines, "0 @I2@ INDI"), Lines{});  // links to her are left out
  }
}

// Husband, wife and children of every present family, by number.
std::set<std::string> Families(const Store& store) {
  std::set<std::string> families;
  for (Mrin mrin = 1; mrin <= store.FamilyCount(); ++mrin) {
    const Family& f = store.familyTable[mrin];
    if (!(f.flags & PresentFlag)) continue;
    std::string members = std::to_string(mrin) + ": " + std::to_string(f.husband) + " " +
                          std::to_string(f.wife) + " |";
    for (const Rin child : f.children) members += " " + std::to_string(child);
    families.insert(members);
  }
  return families;
}

// Every other family with children loses husband and wife, as separating them would;
// only those with two children or more, as the load drops a family of one child alone.
void SeparateParents(Store& store) {
  for (Mrin mrin = 1; mrin <= store.FamilyCount(); mrin += 2) {
    Family& f = store.familyTable[mrin];
    if (!(f.flags & PresentFlag) || f.children.Count() < 2) continue;
    for (Rin* parent : {&f.husband, &f.wife}) {
      if (*parent == 0) continue;
      ListRemove(store.personTable[*parent].fams, mrin);
      store.personTable[*parent].flags |= ChangedFlag;
      *parent = 0;
    }
    f.flags = (f.flags & ~(HasHusbandFlag | HasWifeFlag)) | ChangedFlag;
  }
}

TEST(FamilyMembers, ExportingEverythingKeepsEveryFamilyOfEveryFile) {
  for (const std::string& file : SampleFiles()) {
    for (const bool separated : {false, true}) {
      SCOPED_TRACE(file + (separated ? ", parents separated" : ""));
      Session s;
      ASSERT_TRUE(s.Load(s.folder.Write(fs::path(file).filename().string(), ReadFile(file))));
      if (separated) SeparateParents(s.store);
      s.SelectAll();
      const std::set<std::string> families = Families(s.store);
      ASSERT_TRUE(ExportTo(s.context, s.folder.Path("export.ged")));
      Session back;
      ASSERT_TRUE(back.Load(s.folder.Path("export.ged")));
      EXPECT_EQ(Families(back.store).size(), families.size());
      EXPECT_EQ(Families(back.store), families);
    }
  }
  if (!SharedTestData()) GTEST_SKIP() << "only the bundled sample: no " KORVANE_SHARED_TESTDATA;
}

}  // namespace
}  // namespace korvane::export_test
