#include <gtest/gtest.h>

#include "export_test_util.h"

namespace korvane::export_test {
namespace {

TEST(ReferenceNumbering, NumbersWrittenNotesAndSourcesInTheOrderOfTheirFirstReference) {
  // clang-format off
  const std::string file = Ged({
      "0 HEAD",
      "0 @N9@ NOTE steht vor dem ersten Verweis", "1 CONT zweite Zeile",
      "0 @N3@ NOTE von niemandem erwähnt", "1 CONT weg damit",
      "0 @I1@ INDI", "1 NOTE @N5@", "1 BIRT", "2 SOUR @S250000@", "3 PAGE 12", "1 NOTE @N9@",
      "0 @I2@ INDI", "1 NOTE @N4@", "2 SOUR @S7@",
      "0 @I3@ INDI", "1 NOTE @N9@", "1 SOUR @S7@",
      "0 @N5@ NOTE", "1 CONC Fortsetzung", "1 SOUR @S1@",
      "0 @N4@ NOTE nur von einer nicht gewählten Person",
      "0 @S7@ SOUR", "1 TITL Kirchenbuch",
      "0 @S1@ SOUR Quelle mit Text in der Kopfzeile", "1 NOTE @N200000@",
      "0 @N200000@ NOTE",
      "0 @S250000@ SOUR", "1 TITL Standesamt",
      "0 TRLR"});
  const Lines expected = {
      "0 HEAD",
      "0 @N2@ NOTE steht vor dem ersten Verweis", "1 CONT zweite Zeile",
      "0 @I1@ INDI", "1 NOTE @N1@", "1 BIRT", "2 SOUR @S1@", "3 PAGE 12", "1 NOTE @N2@",
      "0 @I3@ INDI", "1 NOTE @N2@", "1 SOUR @S2@",
      "0 @N1@ NOTE", "1 CONC Fortsetzung", "1 SOUR @S3@",
      "0 @S2@ SOUR", "1 TITL Kirchenbuch",
      "0 @S3@ SOUR Quelle mit Text in der Kopfzeile", "1 NOTE @N3@",
      "0 @N3@ NOTE",
      "0 @S1@ SOUR", "1 TITL Standesamt",
      "0 TRLR"};
  // clang-format on
  Session s;
  ASSERT_TRUE(s.LoadText(file));
  s.Select({1, 3});
  EXPECT_EQ(s.Export(), expected);
  EXPECT_EQ(s.BoxTexts(), Lines{});

  // Rebuilt, the persons list their blocks in another order but keep the numbers.
  Session t;
  ASSERT_TRUE(t.LoadText(file));
  t.Select({1, 3});
  t.P(1).flags |= ChangedFlag;
  t.P(3).flags |= ChangedFlag;
  EXPECT_EQ(Record(t.Export(), "0 @I1@ INDI"), (Lines{"0 @I1@ INDI", "1 BIRT", "2 SOUR @S1@",
                                                      "3 PAGE 12", "1 NOTE @N1@", "1 NOTE @N2@"}));
  EXPECT_EQ(Record(FileLines(t.folder.Path("out.ged")), "0 @I3@ INDI"),
            (Lines{"0 @I3@ INDI", "1 SOUR @S2@", "1 NOTE @N2@"}));
}

TEST(ReferenceNumbering, ReferencesBelowLinesLeftOutDoNotCount) {
  for (const bool changed : {false, true}) {
    SCOPED_TRACE(changed ? "rebuilt" : "copied");
    Session s;
    // clang-format off
    ASSERT_TRUE(s.LoadText(Ged({
        "0 HEAD",
        "0 @I1@ INDI", "1 FAMC @F1@", "2 NOTE @N1@", "1 BIRT", "2 _MARK", "3 SOUR @S1@",
        "0 @I2@ INDI", "1 SEX M", "1 FAMS @F1@",
        "0 @F1@ FAM", "1 HUSB @I2@", "1 CHIL @I1@",
        "0 @N1@ NOTE nur beim Vater",
        "0 @S1@ SOUR", "1 TITL nur in der Markierung",
        "0 TRLR"})));
    // clang-format on
    s.Select(1);
    if (changed) s.P(1).flags |= ChangedFlag;
    EXPECT_EQ(s.Export(), (Lines{"0 HEAD", "0 @I1@ INDI", "1 BIRT", "0 TRLR"}));
  }
}

TEST(ReferenceNumbering, ReferencesToMissingRecordsNeverMeetANewNumber) {
  // @N1@ has no record while @N7@ becomes the first written note: the dangling pointer
  // must not end up naming it.
  Session s;
  ASSERT_TRUE(s.LoadText(Ged({"0 HEAD", "0 @I1@ INDI", "1 NOTE @N7@", "1 NOTE @N1@",
                              "0 @N7@ NOTE Lebenslauf", "0 TRLR"})));
  s.SelectAll();
  EXPECT_EQ(s.Export(), (Lines{"0 HEAD", "0 @I1@ INDI", "1 NOTE @N1@", "1 NOTE @N2@",
                               "0 @N1@ NOTE Lebenslauf", "0 TRLR"}));
}

}  // namespace
}  // namespace korvane::export_test
