#include <gtest/gtest.h>

#include <functional>

#include "export_test_util.h"
#include "store/link_list.h"

namespace korvane::export_test {
namespace {

// clang-format off
const std::string kChangedPerson = Ged({
    "0 HEAD",
    "0 @I1@ INDI", "1 IDNO 4711", "1 OCCU Müller", "1 _UID 0A1B2C", "2 _DATE dropped",
        "1 FAMS @F1@", "1 FAMC @F2@", "2 PEDI birth",
        "1 BIRT", "2 DATE 3 may 1852", "3 TIME 10:00", "2 PLAC Weißenfels", "3 MAP",
            "4 LATI N51.2", "2 SOUR Kirchenbuch Weißenfels", "3 _UID dropped",
        "1 NAME Carl  Friedrich /Brandt/", "2 GIVN Carl, Friedrich", "2 SURN BRANDT",
            "2 NOTE Rufname Carl", "3 CONT erste", "3 CONT zweite", "3 CONT dritte",
        "1 SEX M",
    "0 @I2@ INDI", "1 SEX F", "1 FAMS @F1@",
    "0 @I3@ INDI", "1 SEX M", "1 FAMS @F2@",
    "0 @F1@ FAM", "1 HUSB @I1@", "1 WIFE @I2@", "1 MARR", "2 PLAC Leipzig", "2 DATE 1875",
        "1 _STAT kept",
    "0 @F2@ FAM", "1 HUSB @I3@", "1 CHIL @I1@",
    "0 TRLR"});

// Level-1 blocks in slot order; values the program holds unchanged keep their bytes,
// however the file spelled them. The family of FAMC is not written, so the line goes.
const Lines kRebuilt = {
    /* 0 */ "0 @I1@ INDI",
    /* 1 */ "1 NAME Carl  Friedrich /Brandt/", "2 GIVN Carl, Friedrich", "2 SURN BRANDT",
    /* 4 */ "2 NOTE Rufname Carl", "3 CONT erste", "3 CONT zweite", "3 CONT dritte",
    /* 8 */ "1 SEX M",
    /* 9 */ "1 BIRT", "2 DATE 3 may 1852", "3 TIME 10:00", "2 PLAC Weißenfels", "3 MAP",
    /* 14 */ "4 LATI N51.2", "2 SOUR Kirchenbuch Weißenfels",
    /* 16 */ "1 OCCU Müller", "1 FAMS @F1@", "1 _UID 0A1B2C", "1 IDNO 4711"};
// clang-format on

// kRebuilt with some lines replaced and some left out.
Lines Rebuilt(std::initializer_list<std::pair<int, const char*>> replaced,
              std::initializer_list<int> removed = {}) {
  Lines lines;
  for (int i = 0; i < static_cast<int>(kRebuilt.size()); ++i) {
    if (std::find(removed.begin(), removed.end(), i) != removed.end()) continue;
    lines.push_back(kRebuilt[i]);
    for (const auto& [index, text] : replaced) {
      if (index == i) lines.back() = text;
    }
  }
  return lines;
}

TEST(RecordTree, RebuildsOnlyTheLinesWhoseFieldChanged) {
  struct Case {
    const char* name;
    std::function<void(Person&, TextPool&)> edit;
    Lines expected;
  };
  const Case cases[] = {
      {"nothing", [](Person&, TextPool&) {}, kRebuilt},
      {"birth date removed",
       [](Person& p, TextPool&) {
         p.birthDate = {};
         p.flags &= ~HasBirthDateFlag;
       },
       Rebuilt({}, {10, 11})},
      {"birth date changed",
       [](Person& p, TextPool&) { p.birthDate = PackedDate::Make(1853, 5, 12, kAbout); },
       Rebuilt({{10, "2 DATE ABT 12 MAY 1853"}})},
      {"given names changed",
       [](Person& p, TextPool& t) { p.givenNames = InternText(t, TextPoolId::GivenNames, "Karl"); },
       Rebuilt({{1, "1 NAME Karl /Brandt/"}, {2, "2 GIVN Karl"}})},
      {"surname changed",
       [](Person& p, TextPool& t) { p.surname = InternText(t, TextPoolId::Surnames, "Brand"); },
       Rebuilt({{1, "1 NAME Carl  Friedrich /Brand/"}, {3, "2 SURN Brand"}})},
      {"given names gone", [](Person& p, TextPool&) { p.givenNames = nullptr; },
       Rebuilt({{1, "1 NAME  /Brandt/"}}, {2})},
      {"birth place changed",
       [](Person& p, TextPool& t) { p.birthPlace = InternText(t, TextPoolId::Places, "Köln"); },
       Rebuilt({{12, "2 PLAC Köln"}})},
      {"birth place gone", [](Person& p, TextPool&) { p.birthPlace = nullptr; },
       Rebuilt({}, {12, 13, 14})},
      {"sex changed", [](Person& p, TextPool&) { p.sex = 'F'; }, Rebuilt({{8, "1 SEX F"}})},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    ASSERT_TRUE(s.LoadText(kChangedPerson));
    s.Select({1, 2});
    c.edit(s.P(1), s.store.texts);
    s.P(1).flags |= ChangedFlag;
    EXPECT_EQ(Record(s.Export(), "0 @I1@ INDI"), c.expected);
    EXPECT_EQ(s.BoxTexts(), Lines{});
  }
}

TEST(RecordTree, RebuildsAChangedFamilyFromItsLinesAndTheTable) {
  for (const bool withWife : {true, false}) {
    Session s;
    ASSERT_TRUE(s.LoadText(kChangedPerson));
    s.Select(1);
    if (withWife) s.Select(2);
    s.F(1).marriageDate = PackedDate::Make(1876, 5, 12);
    s.F(1).flags |= ChangedFlag;
    Lines expected = {"0 @F1@ FAM",     "1 HUSB @I1@",        "1 WIFE @I2@", "1 MARR",
                      "2 PLAC Leipzig", "2 DATE 12 MAY 1876", "1 _STAT kept"};
    if (!withWife) expected.erase(expected.begin() + 2);
    EXPECT_EQ(Record(s.Export(), "0 @F1@ FAM"), expected);
  }
}

TEST(RecordTree, CompletesRecordsThatLackLinesForHeldFields) {
  Session s;
  ASSERT_TRUE(s.LoadText(Ged({"0 HEAD", "0 @I1@ INDI", "1 NOTE lebte in Köln", "1 CHR",
                              "2 NOTE getauft", "0 @I2@ INDI", "1 SEX M", "1 FAMS @F1@",
                              "0 @I3@ INDI", "1 SEX F", "0 @F1@ FAM", "1 HUSB @I2@", "0 TRLR"})));
  s.SelectAll();
  TextPool& texts = s.store.texts;
  Person& p = s.P(1);
  p.givenNames = InternText(texts, TextPoolId::GivenNames, "Karl");
  p.surname = InternText(texts, TextPoolId::Surnames, "Brandt");
  p.sex = 'M';
  p.birthDate = PackedDate::Make(1852, 5, 3);
  p.birthPlace = InternText(texts, TextPoolId::Places, "Köln");
  p.chrDate = PackedDate::Make(1852, 5, 9);
  p.deathPlace = InternText(texts, TextPoolId::Places, "Berlin");
  p.flags |=
      HasBirthDateFlag | HasBirthPlaceFlag | HasChrDateFlag | HasDeathPlaceFlag | ChangedFlag;
  ListAppend(p.famc, 1);
  Family& f = s.F(1);
  ListAppend(f.children, 1);
  f.wife = 3;
  ListAppend(s.P(3).fams, 1);
  s.P(3).flags |= ChangedFlag;
  f.marriageDate = PackedDate::Make(1875);
  f.flags |= HasMarriageDateFlag | ChangedFlag;

  // clang-format off
  EXPECT_EQ(s.Export(), (Lines{
      "0 HEAD",
      "0 @I1@ INDI", "1 NAME Karl /Brandt/", "1 SEX M", "1 BIRT", "2 DATE 3 MAY 1852",
          "2 PLAC Köln", "1 CHR", "2 NOTE getauft", "2 DATE 9 MAY 1852", "1 DEAT",
          "2 PLAC Berlin", "1 FAMC @F1@", "1 NOTE lebte in Köln",
      "0 @I2@ INDI", "1 SEX M", "1 FAMS @F1@",
      "0 @I3@ INDI", "1 SEX F", "1 FAMS @F1@",
      "0 @F1@ FAM", "1 HUSB @I2@", "1 WIFE @I3@", "1 CHIL @I1@", "1 MARR", "2 DATE 1875",
      "0 TRLR"}));
  // clang-format on
  EXPECT_EQ(s.BoxTexts(), Lines{});
}

}  // namespace
}  // namespace korvane::export_test
