#include "store/diagnostics.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "platform/scripted_ui.h"

namespace korvane {
namespace {

class DiagnosticsTest : public ::testing::Test {
 protected:
  ScriptedUi ui;
  Diagnostics diagnostics{ui};
};

std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream content;
  content << in.rdbuf();
  return content.str();
}

std::string Repeat(std::string_view piece, int times) {
  std::string text;
  for (int i = 0; i < times; ++i) text += piece;
  return text;
}

std::tm LocalTime(int year, int month, int day, int weekday, int hour, int minute) {
  std::tm time{};
  time.tm_year = year - 1900;
  time.tm_mon = month - 1;
  time.tm_mday = day;
  time.tm_wday = weekday;
  time.tm_hour = hour;
  time.tm_min = minute;
  return time;
}

TEST_F(DiagnosticsTest, ReportAppendSkipsCallsWhoseFirstArgumentIsZero) {
  // Hidden from the compiler, which would warn about a literal null for "%s".
  const char* volatile missingName = nullptr;
  const char* missing = missingName;
  diagnostics.ReportAppend("%s", missing);
  diagnostics.ReportAppend("[%d] ", 0);
  diagnostics.ReportAppend("%s %s ", missing, "Maier");  // only the first argument decides
  diagnostics.ReportAppend("%5s|", missing);
  diagnostics.ReportAppend(" %ld ", 0L);
  diagnostics.ReportAppend(" %zu ", std::size_t{0});
  diagnostics.ReportAppend("%.1f", 0.0);
  diagnostics.ReportAppend("%%%d", 0);
  diagnostics.ReportAppend("%% %.1f", 0.0);  // "%%" consumes no argument
  EXPECT_EQ(diagnostics.ReportLength(), 0);
  EXPECT_EQ(diagnostics.ReportText(), "");

  diagnostics.ReportAppend("[%d] ", 12);
  diagnostics.ReportAppend("%s ", "Anna");
  diagnostics.ReportAppend("%s", "");              // an empty text is no null
  diagnostics.ReportAppend("100%% %s ", "Maier");  // "%%" consumes no argument
  diagnostics.ReportAppend(" %d-%d ", 1801, 0);    // a later zero does not matter
  diagnostics.ReportAppend("\r\n");                // without arguments: as it stands
  diagnostics.ReportAppend(" %ld/%zu", -3L, std::size_t{4});
  const std::string expected = "[12] Anna 100% Maier  1801-0 \r\n -3/4";
  EXPECT_EQ(diagnostics.ReportText(), expected);
  EXPECT_EQ(diagnostics.ReportLength(), static_cast<std::int32_t>(expected.size()));
  EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(DiagnosticsTest, ReportCapacityGrowsTenfoldNearItsEnd) {
  diagnostics.ReportAppend("%s", std::string(9'801, 'a').c_str());
  EXPECT_EQ(diagnostics.ReportCapacity(), 10'000u);
  EXPECT_EQ(diagnostics.ReportLength(), 9'801);
  diagnostics.ReportAppend("%s", "b");
  EXPECT_EQ(diagnostics.ReportCapacity(), 100'000u);
  EXPECT_EQ(diagnostics.ReportLength(), 9'802);
  EXPECT_EQ(diagnostics.ReportText().substr(9'799), "aab");

  // One byte less leaves the first 10,000 bytes enough; a new report starts small again.
  diagnostics.StartReport();
  diagnostics.ReportAppend("%s", std::string(9'800, 'a').c_str());
  EXPECT_EQ(diagnostics.ReportCapacity(), 10'000u);
  diagnostics.ReportAppend("%s", "b");
  EXPECT_EQ(diagnostics.ReportCapacity(), 10'000u);

  // A single piece far beyond the margin is appended whole.
  diagnostics.StartReport();
  const std::string large(50'000, 'x');
  diagnostics.ReportAppend("%s", large.c_str());
  diagnostics.ReportAppend("%s", large.c_str());
  EXPECT_EQ(diagnostics.ReportText(), large + large);
  EXPECT_GT(diagnostics.ReportCapacity(), 100'000u);
  EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(DiagnosticsTest, StartReportAndErrorBoxMakeTheNextAppendStartANewReport) {
  diagnostics.ReportAppend("%s", "alt");
  diagnostics.StartReport();
  EXPECT_EQ(diagnostics.ReportLength(), 0);
  diagnostics.ReportAppend("%s", "neu");
  EXPECT_EQ(diagnostics.ReportText(), "neu");

  diagnostics.ErrorBox("%s", "Fehler dazwischen");
  EXPECT_EQ(diagnostics.ReportLength(), 0);
  diagnostics.ReportAppend("%s", "zwei");
  EXPECT_EQ(diagnostics.ReportText(), "zwei");
  EXPECT_EQ(diagnostics.ReportLength(), 4);
}

TEST_F(DiagnosticsTest, ErrorBoxShowsFehlerWithAnExclamationCutTo999Characters) {
  EXPECT_EQ(diagnostics.ErrorBox("Datei %s nicht gefunden (%d)", "a.ged", 2), 0);
  ASSERT_EQ(ui.Boxes().size(), 1u);
  EXPECT_EQ(ui.Boxes()[0].text, "Datei a.ged nicht gefunden (2)");
  EXPECT_EQ(ui.Boxes()[0].title, "FEHLER");
  EXPECT_EQ(ui.Boxes()[0].buttons, MessageButtons::Ok);
  EXPECT_EQ(ui.Boxes()[0].icon, MessageIcon::Exclamation);

  struct Case {
    std::string text;
    std::string shown;
  };
  const Case cases[] = {
      {std::string(2'000, 'x'), std::string(999, 'x')},
      {std::string(999, 'x'), std::string(999, 'x')},
      {Repeat("\xC3\xA4", 1'200), Repeat("\xC3\xA4", 999)},  // characters, not bytes
      {"x" + Repeat("\xE2\x82\xAC", 1'000), "x" + Repeat("\xE2\x82\xAC", 998)},
      {"", ""},
  };
  for (const Case& c : cases) {
    ui.ClearBoxes();
    EXPECT_EQ(diagnostics.ErrorBox("%s", c.text.c_str()), 0);
    ASSERT_EQ(ui.Boxes().size(), 1u);
    EXPECT_EQ(ui.Boxes()[0].text, c.shown) << c.text.size() << " bytes";
  }
}

TEST_F(DiagnosticsTest, LogAppendAddsToTheFileAndOpensItForEveryLine) {
  const std::string path = ::testing::TempDir() + "korvane_diagnostics_test.log";
  std::remove(path.c_str());
  diagnostics.LogAppend("\n# %s", "vorher");  // no path yet: nothing is logged
  EXPECT_FALSE(std::ifstream(path).good());

  std::ofstream(path, std::ios::binary) << "alt\n";
  diagnostics.SetLogPath(path);
  diagnostics.LogAppend("\n# %s", "Sa   5 Dez 2026 10:26 \r\n");
  std::string expected = "alt\n\n# Sa   5 Dez 2026 10:26 \r\n";
  EXPECT_EQ(ReadFile(path), expected);  // on disk at once
  diagnostics.LogAppend("\n- Fehlersuche:\n");
  diagnostics.ReportAppend("%s", "50%d Zeilen ");  // the report is written as it stands
  diagnostics.ReportAppend("[%d]\r\n", 3);
  diagnostics.LogAppendReport();
  expected += "\n- Fehlersuche:\n50%d Zeilen [3]\r\n";
  EXPECT_EQ(ReadFile(path), expected);

  // A log that cannot be opened loses the line without a message.
  for (const std::string& lost :
       {::testing::TempDir() + "no-such-folder/korvane.log", std::string()}) {
    diagnostics.SetLogPath(lost);
    diagnostics.LogAppend("\n- Verschmelzung: %d", 1);
    diagnostics.LogAppendReport();
  }
  EXPECT_TRUE(ui.Boxes().empty());
  EXPECT_EQ(ReadFile(path), expected);
  std::remove(path.c_str());
}

TEST(LogTimestamp, FormatsGermanWordsWithARightAlignedDay) {
  struct Case {
    std::tm time;
    const char* text;
  };
  const Case cases[] = {
      {LocalTime(2026, 12, 5, 6, 10, 26), "Sa   5 Dez 2026 10:26 \r\n"},
      {LocalTime(2026, 3, 16, 1, 9, 5), "Mo  16 M\xC3\xA4r 2026 09:05 \r\n"},
      {LocalTime(2026, 1, 1, 4, 0, 0), "Do   1 Jan 2026 00:00 \r\n"},
      {LocalTime(1999, 10, 31, 0, 23, 59), "So  31 Okt 1999 23:59 \r\n"},
      {LocalTime(2024, 5, 22, 3, 12, 0), "Mi  22 Mai 2024 12:00 \r\n"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatLogTimestamp(c.time), c.text);
}

TEST_F(DiagnosticsTest, LogTimestampReadsTheClockSeam) {
  diagnostics.SetClock([] { return LocalTime(2026, 12, 5, 6, 10, 26); });
  EXPECT_EQ(diagnostics.LogTimestamp(), "Sa   5 Dez 2026 10:26 \r\n");
}

}  // namespace
}  // namespace korvane
