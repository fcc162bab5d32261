#include "gedcom/link_repair.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "gedcom_test_util.h"
#include "store/flags.h"

namespace korvane::gedcom_test {
namespace {

using Numbers = std::vector<std::int32_t>;

std::string Corrected(int count) {
  return "\r\n\r\n" + std::to_string(count) +
         " Fehler automatisch korrigiert!\r\nBitte Exportieren um \xC3\x84nderungen zu "
         "sichern!\r\n";
}

// One small file per kind of broken link, with the report of the repair at load and the
// number of corrections it counts.
TEST(LinkRepair, ReportsAndCountsEachDisagreementAtLoad) {
  const struct {
    const char* what;
    std::string ged;
    std::string report;
  } cases[] = {
      {"nameless persons are reported, never deleted",
       Ged("0 @I1@ INDI|1 NAME Hans /Alt/|1 SEX M|1 FAMS @F1@|0 @I2@ INDI|1 FAMC @F1@|"
           "0 @I3@ INDI|1 SEX F|0 @F1@ FAM|1 HUSB @I1@|1 CHIL @I2@"),
       "\r\n### Person 2 hat keinen Namen\r\n### Person 3 hat keinen Namen"},
      {"missing spouse families; a value 0 also counts as doubled",
       Ged("0 @I1@ INDI|1 NAME Hans /Alt/|1 BIRT|2 DATE 1900|1 FAMS @F9@|"
           "0 @I2@ INDI|1 NAME Eva /Alt/|1 FAMS kein Verweis"),
       "\r\n### Person 1 hat gel\xC3\xB6schte FAMS 9\r\n[1] Hans Alt  *1900 "
       "\r\n### Person 2 hat gel\xC3\xB6schte FAMS 0\r\n[2] Eva Alt "
       "\r\n### Person 2 hat doppelte FAMS 0 " +
           Corrected(3)},
      {"a spouse family with other partners drops the link",
       Ged("0 @I1@ INDI|1 NAME Hans /Alt/|1 SEX M|1 FAMS @F3@|"
           "0 @I2@ INDI|1 NAME Karl /Neu/|1 SEX M|1 FAMS @F3@|"
           "0 @I3@ INDI|1 NAME Eva /Neu/|1 SEX F|1 FAMS @F3@|0 @F3@ FAM|1 HUSB @I2@|1 WIFE @I3@"),
       "\r\n### Person 1 hat falsche FAMS 3 \r\n[1] Hans Alt  Fam [3] Karl Neu - Eva Neu " +
           Corrected(1)},
      {"a spouse family without a husband gets one",
       Ged("0 @I1@ INDI|1 NAME Hans /Alt/|1 SEX M|1 FAMS @F1@|"
           "0 @I2@ INDI|1 NAME Eva /Alt/|1 SEX F|1 FAMS @F1@|0 @F1@ FAM|1 WIFE @I2@"),
       "\r\n### Person 1 hat falsche FAMS 1 \r\n[1] Hans Alt  Fam [1] - Eva Alt " + Corrected(1)},
      {"a child missing in its parent family is added",
       Ged("0 @I1@ INDI|1 NAME Hans /Alt/|1 SEX M|1 FAMS @F1@|"
           "0 @I2@ INDI|1 NAME Eva /Alt/|1 SEX F|1 FAMS @F1@|"
           "0 @I3@ INDI|1 NAME Kurt /Alt/|1 FAMC @F1@|0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I2@"),
       "\r\n### Person 3 (FAMC 1) als Kind hinzugef\xC3\xBCgt\r\n[3] Kurt Alt " + Corrected(1)},
      {"missing parent families; a value 0 is not also doubled",
       Ged("0 @I1@ INDI|1 NAME Hans /Alt/|1 FAMC @F9@|"
           "0 @I2@ INDI|1 NAME Eva /Alt/|1 FAMC kein Verweis"),
       "\r\n### Person 1 hat gel\xC3\xB6schte FAMC 9\r\n[1] Hans Alt "
       "\r\n### Person 2 hat gel\xC3\xB6schte FAMC 0\r\n[2] Eva Alt " +
           Corrected(2)},
      {"missing parents are dropped from the child's families",
       Ged("0 @I1@ INDI|1 NAME Kurt /Alt/|1 FAMC @F1@|"
           "0 @I2@ INDI|1 NAME Eva /Alt/|1 SEX F|1 FAMS @F1@|"
           "0 @I3@ INDI|1 NAME Karl /Neu/|1 SEX M|1 FAMS @F2@|"
           "0 @I4@ INDI|1 NAME Lena /Neu/|1 FAMC @F2@|"
           "0 @F1@ FAM|1 HUSB @I9@|1 WIFE @I2@|1 CHIL @I1@|"
           "0 @F2@ FAM|1 HUSB @I3@|1 WIFE @I8@|1 CHIL @I4@"),
       "\r\n### Person 1 hat gel\xC3\xB6schten Vater 9 \r\n[1] Kurt Alt "
       "\r\n### Person 4 hat gel\xC3\xB6schte Mutter 8 \r\n[4] Lena Neu " +
           Corrected(2)},
      {"one person as husband and wife",
       Ged("0 @I1@ INDI|1 NAME Hans /Alt/|1 SEX M|1 FAMS @F1@|0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I1@"),
       "\r\n### Fam 1 hat gleiche Person 1 als HUSB und WIFE "
       "\r\n### Fam 1 hat WIFE 1 mit Sex 'M' \r\n Fam [1] Hans Alt - Hans Alt "},
      {"a missing husband ends the family's checks, uncounted",
       Ged("0 @I1@ INDI|1 NAME Eva /Neu/|1 SEX F|0 @I2@ INDI|1 NAME Kurt /Neu/|"
           "0 @F1@ FAM|1 HUSB @I9@|1 WIFE @I1@|1 CHIL @I2@"),
       "\r\n### Fam 1 hat gel\xC3\xB6schten HUSB 9 \r\n Fam [1] - Eva Neu "},
      {"the sex of partners is set, uncounted",
       Ged("0 @I1@ INDI|1 NAME Hans /Alt/|1 SEX F|1 FAMS @F1@|0 @I2@ INDI|1 NAME Eva /Alt/|"
           "1 FAMS @F1@|0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I2@"),
       "\r\n### Fam 1 hat HUSB 1 mit Sex 'F' \r\n Fam [1] Hans Alt - Eva Alt "
       "\r\n### Fam 1 hat WIFE 2 mit Sex '' \r\n Fam [1] Hans Alt - Eva Alt "},
      {"partners get their spouse family",
       Ged("0 @I1@ INDI|1 NAME Hans /Alt/|1 SEX M|0 @I2@ INDI|1 NAME Eva /Alt/|1 SEX F|"
           "0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I2@"),
       "\r\n### HUSB 1 ohne FAMS 1 \r\n Fam [1] Hans Alt - Eva Alt "
       "\r\n### WIFE 2 ohne FAMS 1 \r\n Fam [1] Hans Alt - Eva Alt " +
           Corrected(2)},
      {"a missing wife ends the checks; what was counted before stays",
       Ged("0 @I1@ INDI|1 NAME Hans /Alt/|1 SEX M|0 @I2@ INDI|1 NAME Kurt /Alt/|"
           "0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I9@|1 CHIL @I2@"),
       "\r\n### HUSB 1 ohne FAMS 1 \r\n Fam [1] Hans Alt "
       "\r\n### Fam 1 hat gel\xC3\xB6schte WIFE 9 \r\n Fam [1] Hans Alt " +
           Corrected(1)},
      {"families without partners and with fewer than two children are deleted",
       Ged("0 @I1@ INDI|1 NAME Kurt /Alt/|1 FAMC @F1@|0 @I2@ INDI|1 NAME Lena /Alt/|1 FAMC @F2@|"
           "0 @I3@ INDI|1 NAME Max /Alt/|1 FAMC @F2@|"
           "0 @F1@ FAM|1 CHIL @I1@|0 @F2@ FAM|1 CHIL @I2@|1 CHIL @I3@|0 @F3@ FAM"),
       "\r\n### Leere FAM 1 (gel\xC3\xB6scht)\r\n### Leere FAM 3 (gel\xC3\xB6scht)" + Corrected(2)},
      {"children: missing back link, doubled, missing, not a reference",
       Ged("0 @I1@ INDI|1 NAME Hans /Alt/|1 SEX M|1 FAMS @F1@|1 FAMS @F2@|1 FAMS @F3@|"
           "0 @I2@ INDI|1 NAME Kurt /Alt/|0 @I3@ INDI|1 NAME Lena /Alt/|1 FAMC @F1@|"
           "0 @F1@ FAM|1 HUSB @I1@|1 CHIL @I2@|1 CHIL @I3@|1 CHIL @I3@|"
           "0 @F2@ FAM|1 HUSB @I1@|1 CHIL @I9@|0 @F3@ FAM|1 HUSB @I1@|1 CHIL kein Verweis"),
       "\r\n### Kind 2 ohne FAMC 1 \r\n Fam [1] Hans Alt "
       "\r\n### Fam 1 hat doppelte CHIL 3 \r\n Fam [1] Hans Alt "
       "\r\n### Fam 2 hat gel\xC3\xB6scht CHIL 9 \r\n Fam [2] Hans Alt "
       "\r\n### Fam 3 hat gel\xC3\xB6scht CHIL 0 \r\n Fam [3] Hans Alt "
       "\r\n### Fam 3 hat doppelte CHIL 0 \r\n Fam [3] Hans Alt " +
           Corrected(5)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Loader loader;
    ASSERT_TRUE(loader.LoadText(c.ged));
    EXPECT_EQ(loader.RepairReport(), c.report);
  }
}

TEST(LinkRepair, LeavesBothDirectionsAgreeing) {
  Loader loader;
  ASSERT_TRUE(
      loader.LoadText(Ged("0 @I1@ INDI|1 NAME Hans /Alt/|1 SEX F|0 @I2@ INDI|1 FAMC @F1@|"
                          "0 @I3@ INDI|1 NAME Kurt /Alt/|0 @I4@ INDI|1 NAME Lena /Alt/|1 FAMC @F9@|"
                          "0 @F1@ FAM|1 HUSB @I1@|1 CHIL @I3@|1 CHIL @I3@|"
                          "0 @F2@ FAM|1 HUSB @I7@|1 WIFE @I1@|1 CHIL @I3@|0 @F3@ FAM")));
  // The nameless person stays, and joins its parent family.
  EXPECT_EQ(loader.P(2).flags & PresentFlag, PresentFlag);
  EXPECT_EQ(Entries(loader.F(1).children), (Numbers{3, 2}));
  EXPECT_EQ(Entries(loader.P(3).famc), (Numbers{1}));
  EXPECT_EQ(loader.P(1).sex, 'M');
  EXPECT_EQ(Entries(loader.P(1).fams), (Numbers{1}));
  EXPECT_TRUE(loader.P(4).famc.Empty());
  // The missing husband of F2 is dropped; its wife and child wait for the next load.
  EXPECT_EQ(loader.F(2).husband, 0);
  EXPECT_EQ(loader.F(2).wife, 1);
  EXPECT_EQ(loader.F(3).flags, 0u);  // no partners, no children: deleted
  for (const Rin rin : {1, 3, 4}) EXPECT_NE(loader.P(rin).flags & ChangedFlag, 0u) << rin;
  for (const Mrin mrin : {1, 2}) EXPECT_NE(loader.F(mrin).flags & ChangedFlag, 0u) << mrin;
  EXPECT_EQ(loader.P(2).flags & ChangedFlag, 0u);
  EXPECT_EQ(loader.store.changeCounters.corrections, 0);
  EXPECT_TRUE(loader.Report().ends_with(Corrected(6))) << loader.Report();
}

// The count and the report of one repair call.
template <typename Repair>
std::string Repaired(ReadRun& run, Repair repair, int number) {
  const std::size_t before = run.diagnostics.ReportText().size();
  const int count = repair(run.store, run.diagnostics, number);
  return std::to_string(count) + std::string(run.diagnostics.ReportText().substr(before));
}

// Links that a load cannot produce but editing can: doubled links to a present family and
// links of records deleted in the program.
TEST(LinkRepair, RepairsDoubledLinksAndLinksOfDeletedRecords) {
  const std::string family =
      Ged("0 @I1@ INDI|1 NAME Hans /Alt/|1 SEX M|1 FAMS @F1@|0 @I2@ INDI|1 NAME Eva /Alt/|1 SEX F|"
          "1 FAMS @F1@|0 @I3@ INDI|1 NAME Kurt /Alt/|1 FAMC @F1@|"
          "0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I2@|1 CHIL @I3@");
  {
    ReadRun run(family);
    ListAppend(run.store.personTable[1].fams, 1);
    ListAppend(run.store.personTable[3].famc, 1);
    EXPECT_EQ(Repaired(run, RepairPersonLinks, 1), "1\r\n### Person 1 hat doppelte FAMS 1 ");
    EXPECT_EQ(Repaired(run, RepairPersonLinks, 3),
              "1\r\n### Person 3 hat doppelte FAMC 1 \r\n[3] Kurt Alt ");
    EXPECT_EQ(Entries(run.P(1).fams), (Numbers{1}));
    EXPECT_EQ(Entries(run.P(3).famc), (Numbers{1}));
  }
  {
    ReadRun run(family);
    run.store.personTable[2].flags = 0;
    run.store.personTable[3].flags = 0;
    EXPECT_EQ(Repaired(run, RepairPersonLinks, 2),
              "1\r\n### Person 2 gel\xC3\xB6scht, aber FAMS 1 ungel\xC3\xB6scht\r\n[2] Eva Alt ");
    EXPECT_EQ(Repaired(run, RepairPersonLinks, 3),
              "1\r\n### Person 3 gel\xC3\xB6scht, aber FAMC 1 ungel\xC3\xB6scht\r\n[3] Kurt Alt ");
    EXPECT_EQ(run.F(1).wife, 0);
    EXPECT_TRUE(run.F(1).children.Empty());
    EXPECT_TRUE(run.P(2).fams.Empty());
    EXPECT_TRUE(run.P(3).famc.Empty());
    EXPECT_EQ(run.F(1).flags & ChangedFlag, 0u);
  }
  {
    ReadRun run(family);
    run.store.familyTable[1].flags = 0;
    EXPECT_EQ(Repaired(run, RepairFamilyLinks, 1),
              "3\r\n### Fam 1 gel\xC3\xB6scht, aber referenziert durch ungel\xC3\xB6schten HUSB 1 "
              "\r\n### Fam 1 gel\xC3\xB6scht, aber referenziert durch ungel\xC3\xB6schte WIFE 2 "
              "\r\n### Fam 1 gel\xC3\xB6scht, aber referenziert durch ungel\xC3\xB6schtes CHIL 3 ");
    EXPECT_TRUE(run.P(1).fams.Empty() && run.P(2).fams.Empty() && run.P(3).famc.Empty());
    for (const Rin rin : {1, 2, 3}) EXPECT_NE(run.P(rin).flags & ChangedFlag, 0u);
  }
  ReadRun run(family);  // numbers outside the tables
  for (const int number : {-1, 0, 4}) EXPECT_EQ(Repaired(run, RepairPersonLinks, number), "0");
  for (const int number : {-1, 0, 2}) EXPECT_EQ(Repaired(run, RepairFamilyLinks, number), "0");
}

}  // namespace
}  // namespace korvane::gedcom_test
