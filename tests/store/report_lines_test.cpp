#include "store/report_lines.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/scripted_ui.h"
#include "store_fixture.h"

namespace korvane {
namespace {

using store_test::Date;
using store_test::Event;
using store_test::NewFamily;
using store_test::NewPerson;
using store_test::SetEvent;

class ReportLinesTest : public ::testing::Test {
 protected:
  // The text one helper call appends to a fresh report.
  template <typename Append>
  std::string Appended(Append append) {
    diagnostics.StartReport();
    append();
    return diagnostics.ReportLength() == 0 ? "" : std::string(diagnostics.ReportText());
  }
  std::string PersonLine(int mode, Rin rin, const char* prefix = nullptr) {
    return Appended([&] { AppendPersonLine(diagnostics, store, prefix, mode, rin); });
  }
  std::string FamilyLine(Mrin mrin, const char* prefix = nullptr) {
    return Appended([&] { AppendFamilyLine(diagnostics, store, prefix, mrin); });
  }
  std::string Relatives(int mode, Rin rin) {
    return Appended([&] { AppendRelatives(diagnostics, store, mode, rin); });
  }

  ScriptedUi ui;
  Diagnostics diagnostics{ui};
  Store store;
};

TEST_F(ReportLinesTest, PersonLineShowsYearsOrDatesAndPlacesAsTheModeAsks) {
  const Rin johann = NewPerson(store, "Johann Georg", "Maier", 'M');
  SetEvent(store, johann, Event::Birth, Date(1801, 5, 12), "Ulm");
  SetEvent(store, johann, Event::Death, Date(1870), "Wien");
  struct Case {
    int mode;
    const char* line;
  };
  const Case cases[] = {
      {0x04 | 0x08 | 0x10, "Johann Georg Maier  1801-1870 Wien"},
      {0x04 | 0x08, "Johann Georg Maier  1801-1870 "},
      {0x04 | 0x10, "Johann Georg Maier  *1801 Ulm"},
      {0x04, "Johann Georg Maier  *1801 "},
      {0x08, "Johann Georg Maier  +1870 "},
      {0x08 | 0x10, "Johann Georg Maier  +1870 Wien"},
      {0x10, "Johann Georg Maier "},  // dated: no lone place
      {0, "Johann Georg Maier "},
      {0x40 | 0x04 | 0x08 | 0x10, "Johann Georg Maier  * 12 MAI 1801 Ulm + 1870 Wien"},
      {0x40 | 0x04, "Johann Georg Maier  * 12 MAI 1801  + 1870 "},
      {0x40 | 0x08 | 0x10, "Johann Georg Maier  + 1870 Wien"},
      {0x02 | 0x20 | 0x80, "[1] Johann Georg Maier  [1]\r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(PersonLine(c.mode, johann), c.line) << c.mode;
  EXPECT_EQ(PersonLine(0x04, johann, "- "), "- Johann Georg Maier  *1801 ");
}

TEST_F(ReportLinesTest, PersonLineFallsBackToChristeningAndBurial) {
  // Christened 1790 in Augsburg, buried 1850 in Dachau, no birth or death date.
  const Rin eva = NewPerson(store, "Eva", "Huber", 'F');
  SetEvent(store, eva, Event::Chr, Date(1790), "Augsburg");
  SetEvent(store, eva, Event::Burial, Date(1850), "Dachau");
  // Died 1870 without a death place, buried in Dachau.
  const Rin otto = NewPerson(store, "Otto", "Roth", 'M');
  SetEvent(store, otto, Event::Death, Date(1870));
  SetEvent(store, otto, Event::Burial, PackedDate{}, "Dachau");
  // Only surnames or only places.
  const Rin nameless = NewPerson(store, nullptr, "Bauer");
  const Rin placesOnly = NewPerson(store, "Ida", "Roth", 'F');
  SetEvent(store, placesOnly, Event::Chr, PackedDate{}, "Augsburg");
  SetEvent(store, placesOnly, Event::Death, PackedDate{}, "Wien");
  const Rin buriedOnly = NewPerson(store, "Max", "Roth", 'M');
  SetEvent(store, buriedOnly, Event::Burial, PackedDate{}, "Dachau");

  struct Case {
    Rin rin;
    int mode;
    const char* line;
  };
  const Case cases[] = {
      {eva, 0x04 | 0x10, "Eva Huber  *1790 Augsburg"},
      {eva, 0x04 | 0x08 | 0x10, "Eva Huber  1790-1850 "},  // only the death place follows
      {eva, 0x08 | 0x10, "Eva Huber "},                    // a burial alone is no death
      {eva, 0x40 | 0x04 | 0x10, "Eva Huber  ~ 1790 Augsburg"},
      {otto, 0x08 | 0x10, "Otto Roth  +1870 Dachau"},
      {otto, 0x40 | 0x08 | 0x10, "Otto Roth  + 1870 "},
      {nameless, 0x02 | 0x04, "[3] Bauer "},
      {placesOnly, 0x10, "Ida Roth ~ Augsburg"},
      {placesOnly, 0x04 | 0x08 | 0x10, "Ida Roth ~ Augsburg"},
      {buriedOnly, 0x10, "Max Roth _ Dachau"},
      {0, 0x04 | 0x08 | 0x10 | 0x20, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(PersonLine(c.mode, c.rin), c.line) << c.rin << " mode " << c.mode;
  }
}

TEST_F(ReportLinesTest, FamilyLineNamesHusbandAndWife) {
  const Rin johann = NewPerson(store, "Johann", "Maier", 'M');
  const Rin anna = NewPerson(store, "Anna", "Huber", 'F');
  const Rin nameless = NewPerson(store, nullptr, "Bauer", 'M');
  const Mrin both = NewFamily(store, johann, anna);
  const Mrin wifeOnly = NewFamily(store, 0, anna);
  const Mrin husbandOnly = NewFamily(store, johann, 0);
  const Mrin namelessHusband = NewFamily(store, nameless, anna);
  const Mrin empty = NewFamily(store, 0, 0);

  EXPECT_EQ(FamilyLine(both, "Doppelt:"), "Doppelt: Fam [1] Johann Maier - Anna Huber ");
  EXPECT_EQ(FamilyLine(wifeOnly), " Fam [2] - Anna Huber ");
  EXPECT_EQ(FamilyLine(husbandOnly), " Fam [3] Johann Maier ");
  // Without given names the zero rule drops the whole husband part.
  EXPECT_EQ(FamilyLine(namelessHusband), " Fam [4] - Anna Huber ");
  EXPECT_EQ(FamilyLine(empty), " Fam [5] ");
}

TEST_F(ReportLinesTest, RelativesListParentsMarriageYearAndSpouses) {
  const Rin johann = NewPerson(store, "Johann", "Maier", 'M');
  const Rin anna = NewPerson(store, "Anna", "Huber", 'F');
  const Rin karl = NewPerson(store, "Karl", "Maier", 'M');
  const Rin maria = NewPerson(store, "Maria", "Schulz", 'F');
  const Rin rosa = NewPerson(store, "Rosa", "Bauer", 'F');
  const Rin lena = NewPerson(store, "Lena", "Maier", 'F');
  const Rin ida = NewPerson(store, "Ida", "Roth", 'F');
  NewFamily(store, johann, anna, {karl});
  NewFamily(store, karl, maria, {}, Date(1830, 4));
  NewFamily(store, karl, 0);  // a family without wife: no name, but no gap either
  NewFamily(store, karl, rosa);
  NewFamily(store, 0, anna, {lena});
  NewFamily(store, 0, ida);
  NewFamily(store, johann, ida);

  struct Case {
    Rin rin;
    int mode;
    const char* line;
  };
  const Case cases[] = {
      {karl, 0x02, " Vater: Johann Maier  Mutter: Anna Huber "},
      {karl, 0x08, " &1830 "},
      {karl, 0x04, " Ehepartner: Maria Schulz , Rosa Bauer "},
      {karl, 0x1F,
       "\r\n Vater: Johann Maier  Mutter: Anna Huber  &1830  Ehepartner: Maria Schulz , Rosa "
       "Bauer \r\n"},
      {lena, 0x02 | 0x08, " Mutter: Anna Huber "},
      // Ida's first family has no husband, so her second one is not listed either.
      {ida, 0x04, ""},
      {rosa, 0x04 | 0x08, " Ehepartner: Karl Maier "},
      {maria, 0x01 | 0x10, "\r\n\r\n"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(Relatives(c.mode, c.rin), c.line) << c.rin << " mode " << c.mode;
  }
}

}  // namespace
}  // namespace korvane
