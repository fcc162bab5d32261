// The report and error box of a command, the log's timestamp, and a person's report line.
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
  ScriptedUi ui;
  Diagnostics diagnostics{ui};
  Store s;
};

TEST_F(DiagnosticsTest, ReportAppendSkipsCallsWhoseFirstArgumentIsZero) {
  // Hidden from the compiler, which would warn about a literal null for "%s".
  const char* volatile missing = nullptr;
  diagnostics.ReportAppend("%5s %s ", missing, "Maier");  // only the first argument decides
  diagnostics.ReportAppend("[%d] ", 0);
  diagnostics.ReportAppend("%% %.1f", 0.0);  // "%%" consumes no argument
  EXPECT_EQ(diagnostics.ReportLength(), 0);

  diagnostics.ReportAppend("%s", "");  // an empty text is no null
  diagnostics.ReportAppend("100%% %s ", "Maier");
  diagnostics.ReportAppend(" %d-%d", 1801, 0);  // a later zero does not matter
  diagnostics.ReportAppend("\r\n");             // without arguments: as it stands
  EXPECT_EQ(diagnostics.ReportText(), "100% Maier  1801-0\r\n");
}

TEST_F(DiagnosticsTest, ReportCapacityGrowsTenfoldNearItsEnd) {
  diagnostics.ReportAppend("%s", std::string(9'801, 'a').c_str());
  EXPECT_EQ(diagnostics.ReportCapacity(), 10'000u);  // 199 bytes are left, under the margin
  diagnostics.ReportAppend("%s", "b");
  EXPECT_EQ(diagnostics.ReportCapacity(), 100'000u);
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
  std::tm time{};  // Saturday, 5 December 2026, 10:26
  time.tm_wday = 6;
  time.tm_mday = 5;
  time.tm_mon = 11;
  time.tm_year = 126;
  time.tm_hour = 10;
  time.tm_min = 26;
  EXPECT_EQ(FormatLogTimestamp(time), "Sa   5 Dez 2026 10:26 \r\n");
}

TEST_F(DiagnosticsTest, PersonLineShowsYearsOrDatesAndPlacesAsTheModeAsks) {
  const Rin johann = NewPerson(s, "Johann Georg", "Maier", 'M');
  SetEvent(s, johann, Event::Birth, Date(1801, 5, 12), "Augsburg");
  SetEvent(s, johann, Event::Death, Date(1870), "Ulm");
  const Rin placesOnly = NewPerson(s, "Ida", "Roth", 'F');
  SetEvent(s, placesOnly, Event::Chr, PackedDate{}, "Augsburg");
  SetEvent(s, placesOnly, Event::Death, PackedDate{}, "Wien");
  const auto line = [&](Rin rin, int mode, const char* prefix = nullptr) {
    diagnostics.StartReport();
    AppendPersonLine(diagnostics, s, prefix, mode, rin);
    return diagnostics.ReportLength() == 0 ? "" : std::string(diagnostics.ReportText());
  };
  EXPECT_EQ(line(johann, kLineBirth | kLineDeath | kLinePlaces),
            "Johann Georg Maier  1801-1870 Ulm");  // the death place only
  EXPECT_EQ(line(johann, kLineBirth | kLineDeath | kLinePlaces | kLineFullDates),
            "Johann Georg Maier  * 12 MAI 1801 Augsburg + 1870 Ulm");
  EXPECT_EQ(line(johann, kLinePlaces), "Johann Georg Maier ");  // dated: no lone place
  EXPECT_EQ(line(placesOnly, kLineBirth | kLineDeath | kLinePlaces), "Ida Roth ~ Augsburg");
}

// A birth without date text is shown by the christening, a death by the burial; only the
// death part of a line takes the burial.
TEST_F(DiagnosticsTest, PersonLineShowsTheChristeningAndTheBurialWhereTheyStandIn) {
  const Rin karl = NewPerson(s, "Karl", "Roth", 'M');
  SetEvent(s, karl, Event::Birth, PackedDate{}, "Bonn");
  SetEvent(s, karl, Event::Chr, Date(1802, 3), "Celle");
  SetEvent(s, karl, Event::Burial, Date(1870, 1, 2), "Essen");
  const Rin lena = NewPerson(s, "Lena", "Roth", 'F');
  SetEvent(s, lena, Event::Death, Date(1860), "");
  SetEvent(s, lena, Event::Burial, Date(1860), "Dessau");
  const auto line = [&](Rin rin, int mode) {
    diagnostics.StartReport();
    AppendPersonLine(diagnostics, s, nullptr, mode, rin);
    return std::string(diagnostics.ReportText());
  };
  const int full = kLineBirth | kLineDeath | kLinePlaces | kLineFullDates;
  EXPECT_EQ(line(karl, full), "Karl Roth  ~ MAR 1802 Celle");  // no death date: no burial
  EXPECT_EQ(line(karl, kLineBirth | kLinePlaces), "Karl Roth  *1802 Bonn");
  EXPECT_EQ(line(lena, kLineDeath | kLinePlaces | kLineFullDates), "Lena Roth  + 1860 ");
  EXPECT_EQ(line(lena, kLineDeath | kLinePlaces), "Lena Roth  +1860 Dessau");
}

}  // namespace
}  // namespace korvane::store_test
