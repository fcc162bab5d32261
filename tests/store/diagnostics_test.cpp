// The report and error box of a command, the log's timestamp, and the report's lines.
#include "store/diagnostics.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/scripted_ui.h"
#include "store/report_lines.h"
#include "store_fixture.h"

namespace korvane::store_test {
namespace {

class DiagnosticsTest : public ::testing::Test {
 protected:
  // The text that `append` adds to a fresh report.
  template <typename Append>
  std::string Appended(Append append) {
    diagnostics.StartReport();
    append();
    return diagnostics.ReportLength() == 0 ? "" : std::string(diagnostics.ReportText());
  }

  ScriptedUi ui;
  Diagnostics diagnostics{ui};
  Store s;
};

TEST_F(DiagnosticsTest, ReportAppendSkipsCallsWhoseFirstArgumentIsZero) {
  // Hidden from the compiler, which would warn about a literal null for "%s".
  const char* volatile missingName = nullptr;
  const char* missing = missingName;
  diagnostics.ReportAppend("%s", missing);
  diagnostics.ReportAppend("%5s %s ", missing, "Maier");  // only the first argument decides
  diagnostics.ReportAppend("[%d] ", 0);
  diagnostics.ReportAppend("%% %.1f", 0.0);  // "%%" consumes no argument
  EXPECT_EQ(diagnostics.ReportLength(), 0);

  diagnostics.ReportAppend("[%d] ", 12);
  diagnostics.ReportAppend("%s", "");  // an empty text is no null
  diagnostics.ReportAppend("100%% %s ", "Maier");
  diagnostics.ReportAppend(" %d-%d", 1801, 0);  // a later zero does not matter
  diagnostics.ReportAppend("\r\n");             // without arguments: as it stands
  EXPECT_EQ(diagnostics.ReportText(), "[12] 100% Maier  1801-0\r\n");
}

TEST_F(DiagnosticsTest, ReportCapacityGrowsTenfoldNearItsEnd) {
  diagnostics.ReportAppend("%s", std::string(9'800, 'a').c_str());
  diagnostics.ReportAppend("%s", "b");
  EXPECT_EQ(diagnostics.ReportCapacity(), 10'000u);  // 200 bytes of margin are left
  diagnostics.ReportAppend("%s", "c");
  EXPECT_EQ(diagnostics.ReportCapacity(), 100'000u);
  // A new report starts small again; a piece far beyond the margin is appended whole.
  const std::string large(60'000, 'x');
  EXPECT_EQ(Appended([&] { diagnostics.ReportAppend("%s", "d"); }), "d");
  EXPECT_EQ(diagnostics.ReportCapacity(), 10'000u);
  diagnostics.ReportAppend("%s", large.c_str());
  diagnostics.ReportAppend("%s", large.c_str());
  EXPECT_EQ(diagnostics.ReportText(), "d" + large + large);
}

TEST_F(DiagnosticsTest, ErrorBoxShowsAtMost999CharactersAndEndsTheReport) {
  diagnostics.ReportAppend("%s", "alt");
  std::string umlauts;
  for (int i = 0; i < 1'200; ++i) umlauts += "\xC3\xA4";
  EXPECT_EQ(diagnostics.ErrorBox("%s", umlauts.c_str()), 0);
  EXPECT_EQ(diagnostics.ReportLength(), 0);
  ASSERT_EQ(ui.Boxes().size(), 1u);
  EXPECT_EQ(ui.Boxes()[0].text, umlauts.substr(0, 2 * 999));  // characters, not bytes
}

TEST_F(DiagnosticsTest, LogTimestampHasGermanWordsAndARightAlignedDay) {
  std::tm time{};  // Monday, 16 March 2026, 9:05
  time.tm_wday = 1;
  time.tm_mday = 16;
  time.tm_mon = 2;
  time.tm_year = 126;
  time.tm_hour = 9;
  time.tm_min = 5;
  diagnostics.SetClock([&] { return time; });
  EXPECT_EQ(diagnostics.LogTimestamp(), "Mo  16 M\xC3\xA4r 2026 09:05 \r\n");
  time.tm_wday = 0;  // Sunday, 5 December
  time.tm_mday = 5;
  time.tm_mon = 11;
  EXPECT_EQ(FormatLogTimestamp(time), "So   5 Dez 2026 09:05 \r\n");
}

TEST_F(DiagnosticsTest, PersonLineShowsYearsOrDatesAndPlacesAsTheModeAsks) {
  const Rin johann = NewPerson(s, "Johann Georg", "Maier", 'M');
  SetEvent(s, johann, Event::Birth, Date(1801, 5, 12), "Ulm");
  SetEvent(s, johann, Event::Death, Date(1870), "Wien");
  const Rin eva = NewPerson(s, "Eva", "Huber", 'F');  // christened and buried only
  SetEvent(s, eva, Event::Chr, Date(1790), "Augsburg");
  SetEvent(s, eva, Event::Burial, Date(1850), "Dachau");
  const Rin otto = NewPerson(s, "Otto", "Roth", 'M');  // died without a place, buried in Dachau
  SetEvent(s, otto, Event::Death, Date(1870));
  SetEvent(s, otto, Event::Burial, PackedDate{}, "Dachau");
  const Rin nameless = NewPerson(s, nullptr, "Bauer");
  const Rin placesOnly = NewPerson(s, "Ida", "Roth", 'F');
  SetEvent(s, placesOnly, Event::Chr, PackedDate{}, "Augsburg");
  SetEvent(s, placesOnly, Event::Death, PackedDate{}, "Wien");
  const auto line = [&](Rin rin, int mode, const char* prefix = nullptr) {
    return Appended([&] { AppendPersonLine(diagnostics, s, prefix, mode, rin); });
  };
  // Modes: 0x02 number first, 0x04 birth, 0x08 death, 0x10 places, 0x20 number last,
  // 0x40 whole dates, 0x80 line break.
  EXPECT_EQ(line(johann, 0x1C), "Johann Georg Maier  1801-1870 Wien");
  EXPECT_EQ(line(johann, 0x10), "Johann Georg Maier ");  // dated: no lone place
  EXPECT_EQ(line(johann, 0x5C), "Johann Georg Maier  * 12 MAI 1801 Ulm + 1870 Wien");
  EXPECT_EQ(line(johann, 0x44), "Johann Georg Maier  * 12 MAI 1801  + 1870 ");
  EXPECT_EQ(line(johann, 0xA2, "- "), "- [1] Johann Georg Maier  [1]\r\n");
  EXPECT_EQ(line(eva, 0x14), "Eva Huber  *1790 Augsburg");
  EXPECT_EQ(line(eva, 0x1C), "Eva Huber  1790-1850 ");  // only the death place follows
  EXPECT_EQ(line(eva, 0x18), "Eva Huber ");             // a burial alone is no death
  EXPECT_EQ(line(eva, 0x54), "Eva Huber  ~ 1790 Augsburg");
  EXPECT_EQ(line(otto, 0x18), "Otto Roth  +1870 Dachau");
  EXPECT_EQ(line(nameless, 0x06), "[4] Bauer ");  // a missing name vanishes
  EXPECT_EQ(line(placesOnly, 0x1C), "Ida Roth ~ Augsburg");
}

TEST_F(DiagnosticsTest, RelativesListParentsMarriageYearAndSpouses) {
  const Rin karl = NewPerson(s, "Karl", "Maier", 'M');
  NewFamily(s, NewPerson(s, "Johann", "Maier", 'M'), NewPerson(s, "Anna", "Huber", 'F'), {karl});
  NewFamily(s, karl, NewPerson(s, "Maria", "Schulz", 'F'), {}, Date(1830, 4));
  NewFamily(s, karl, 0);  // a family without wife: no name, but no gap either
  NewFamily(s, karl, NewPerson(s, "Rosa", "Bauer", 'F'));
  EXPECT_EQ(Appended([&] { AppendRelatives(diagnostics, s, 0x1F, karl); }),
            "\r\n Vater: Johann Maier  Mutter: Anna Huber  &1830  Ehepartner: Maria Schulz , Rosa "
            "Bauer \r\n");
}

}  // namespace
}  // namespace korvane::store_test
