#pragma once

#include <cstdarg>
#include <cstdint>
#include <ctime>
#include <functional>
#include <string>
#include <string_view>

#include "platform/file_system.h"
#include "platform/ui.h"
#include "store/link_list.h"

namespace korvane {

#define KORVANE_PRINTF_FORMAT(formatIndex, firstArg) \
  __attribute__((format(printf, formatIndex, firstArg)))

// The three output channels every command uses: the error box, the report that the
// "Bericht" tab shows, and the program log beside the loaded file. While a Diagnostics
// lives, bad link-list indexes on its thread are shown through its error box.
class Diagnostics {
 public:
  static constexpr std::int32_t kReportFull = 0x7FFFFFFF;
  static constexpr std::size_t kErrorBoxMaxChars = 999;

  explicit Diagnostics(Ui& ui, FileSystem& files = DefaultFileSystem());
  Diagnostics(const Diagnostics&) = delete;
  Diagnostics& operator=(const Diagnostics&) = delete;

  // Shows the formatted text (at most 999 characters) in a modal box titled "FEHLER" and
  // ends the current report. Returns 0, so callers can fail with `return ErrorBox(...)`.
  int ErrorBox(const char* format, ...) KORVANE_PRINTF_FORMAT(2, 3);

  // Appends to the report, printf style. When the first argument is 0 (a null text or
  // the number 0), nothing is appended: callers skip missing names without a test.
  // A format without arguments is appended as it stands.
  void ReportAppend(const char* format, ...) KORVANE_PRINTF_FORMAT(2, 3);

  // The next append starts a new report.
  void StartReport() { reportLength_ = 0; }
  // Cuts the report back to `length` bytes, dropping what was appended since it had that
  // length (a text built only to be logged). A longer or negative length, and a report
  // that could not grow, stay as they are.
  void TruncateReport(std::int32_t length);
  std::int32_t ReportLength() const { return reportLength_; }
  std::size_t ReportCapacity() const { return reportCapacity_; }
  // The text of the current report, or of the last one until the next append.
  std::string_view ReportText() const { return reportText_; }

  // The log beside the loaded file; empty means nothing is logged.
  void SetLogPath(std::string path) { logPath_ = std::move(path); }
  const std::string& LogPath() const { return logPath_; }
  // A log this starts (after a rotation, say) begins with `line`, so that it is known
  // as ours later; a text that begins with it is not given it twice.
  void SetLogFirstLine(std::string line) { logFirstLine_ = std::move(line); }
  // Appends one formatted text to the log. The file is opened and closed for every call,
  // so the log is complete on disk after every line; an unopenable log loses the line.
  void LogAppend(const char* format, ...) KORVANE_PRINTF_FORMAT(2, 3);
  // Appends the current report text as it stands.
  void LogAppendReport();

  // "Sa   5 Dez 2026 10:26 \r\n" for the current local time.
  std::string LogTimestamp() const;
  // Replaces the clock (tests); the default reads the local time.
  void SetClock(std::function<std::tm()> clock) { clock_ = std::move(clock); }

 private:
  void AppendFormatted(const char* format, std::va_list args);
  void LogWrite(std::string_view text) const;

  Ui& ui_;
  FileSystem& files_;
  std::string reportText_;
  std::int32_t reportLength_ = 0;
  std::size_t reportCapacity_ = 0;
  std::string logPath_;
  std::string logFirstLine_;
  std::function<std::tm()> clock_;
  ScopedListFaultHandler listFaults_;
};

// The timestamp for a given local time, in the log's fixed notation.
std::string FormatLogTimestamp(const std::tm& time);

// printf into a string of the needed size.
std::string FormatText(const char* format, std::va_list args);

}  // namespace korvane
