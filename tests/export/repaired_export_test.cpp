// What the link repair at load corrects reaches the exported file.
#include <gtest/gtest.h>

#include "export_test_util.h"

namespace korvane::export_test {
namespace {

std::string Sexes(Session& s) { return {s.P(1).sex, s.P(2).sex, s.P(3).sex}; }

// The repair gives a husband "M" and a wife "F": whether the person had another letter,
// no letter on its SEX line, or no SEX line at all, the export writes the corrected letter
// and the file reads back without another repair.
TEST(RepairedExport, WritesTheSexTheLinkRepairCorrected) {
  Session s;
  ASSERT_TRUE(
      s.LoadText(Ged("0 HEAD|0 @I1@ INDI|1 NAME Karl /Brandt/|1 SEX F|1 FAMS @F1@|"
                     "0 @I2@ INDI|1 NAME Anna /K\xC3\xB6hler/|1 FAMS @F1@|1 OCCU N\xC3\xA4herin|"
                     "0 @I3@ INDI|1 NAME Otto /Brandt/|1 SEX|1 FAMS @F2@|"
                     "0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I2@|0 @F2@ FAM|1 HUSB @I3@|0 TRLR")));
  ASSERT_EQ(Sexes(s), "MFM");
  s.SelectAll();
  const Lines exported = s.Export();
  EXPECT_EQ(Record(exported, "0 @I1@ INDI"),
            Split("0 @I1@ INDI|1 NAME Karl /Brandt/|1 SEX M|1 FAMS @F1@"));
  EXPECT_EQ(Record(exported, "0 @I2@ INDI"),
            Split("0 @I2@ INDI|1 NAME Anna /K\xC3\xB6hler/|1 SEX F|1 OCCU N\xC3\xA4herin|"
                  "1 FAMS @F1@"));
  EXPECT_EQ(Record(exported, "0 @I3@ INDI"),
            Split("0 @I3@ INDI|1 NAME Otto /Brandt/|1 SEX M|1 FAMS @F2@"));

  Session back;
  ASSERT_TRUE(back.Load(s.folder.Path("out.ged")));
  EXPECT_EQ(Sexes(back), "MFM");
  EXPECT_EQ(back.diagnostics.ReportText().find("###"), std::string::npos)
      << back.diagnostics.ReportText();
}

}  // namespace
}  // namespace korvane::export_test
