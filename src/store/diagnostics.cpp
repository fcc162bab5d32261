#include "store/diagnostics.h"

#include <cstdio>
#include <cstring>
#include <memory>
#include <new>

#include "text/utf8.h"

namespace korvane {
namespace {

constexpr std::size_t kReportStartCapacity = 10'000;
constexpr std::size_t kReportMargin = 200;
constexpr std::size_t kReportMaxCapacity = 1'000'000'000;

enum class ArgumentKind { None, Int, Long, LongLong, Size, Pointer, Double, LongDouble };

// The type of the first argument a printf format consumes. The format attribute makes
// the compiler check that the arguments match the format, so this is the type to read.
ArgumentKind FirstArgumentKind(const char* format) {
  for (const char* p = format; (p = std::strchr(p, '%')) != nullptr;) {
    ++p;
    if (*p == '%') {
      ++p;
      continue;
    }
    while (*p != 0 && std::strchr("-+ #0'", *p) != nullptr) ++p;
    if (*p == '*') return ArgumentKind::Int;
    while (*p >= '0' && *p <= '9') ++p;
    if (*p == '.') {
      ++p;
      if (*p == '*') return ArgumentKind::Int;
      while (*p >= '0' && *p <= '9') ++p;
    }
    ArgumentKind integer = ArgumentKind::Int;
    bool longDouble = false;
    if (p[0] == 'l' && p[1] == 'l') {
      integer = ArgumentKind::LongLong;
      p += 2;
    } else if (*p == 'l' || *p == 'j' || *p == 't') {
      integer = ArgumentKind::Long;
      ++p;
    } else if (*p == 'z') {
      integer = ArgumentKind::Size;
      ++p;
    } else if (*p == 'L') {
      longDouble = true;
      ++p;
    } else {
      while (*p == 'h') ++p;  // promoted to int
    }
    if (*p == 0) return ArgumentKind::None;
    if (std::strchr("sp", *p) != nullptr) return ArgumentKind::Pointer;
    if (std::strchr("fFeEgGaA", *p) != nullptr) {
      return longDouble ? ArgumentKind::LongDouble : ArgumentKind::Double;
    }
    return integer;
  }
  return ArgumentKind::None;
}

bool FirstArgumentIsZero(const char* format, std::va_list args) {
  switch (FirstArgumentKind(format)) {
    case ArgumentKind::None:
      return false;
    case ArgumentKind::Int:
      return va_arg(args, int) == 0;
    case ArgumentKind::Long:
      return va_arg(args, long) == 0;
    case ArgumentKind::LongLong:
      return va_arg(args, long long) == 0;
    case ArgumentKind::Size:
      return va_arg(args, std::size_t) == 0;
    case ArgumentKind::Pointer:
      return va_arg(args, const void*) == nullptr;
    case ArgumentKind::Double:
      return va_arg(args, double) == 0.0;
    case ArgumentKind::LongDouble:
      return va_arg(args, long double) == 0.0L;
  }
  return false;
}

void HandleListFault(void* context, int index, int count) {
  static_cast<Diagnostics*>(context)->ErrorBox("Error: [%d] %d", index, count);
}

std::tm LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

}  // namespace

std::string FormatText(const char* format, std::va_list args) {
  std::va_list measure;
  va_copy(measure, args);
  const int length = std::vsnprintf(nullptr, 0, format, measure);
  va_end(measure);
  if (length <= 0) return {};
  std::string text(static_cast<std::size_t>(length), '\0');
  std::vsnprintf(text.data(), text.size() + 1, format, args);
  return text;
}

std::string FormatLogTimestamp(const std::tm& time) {
  static constexpr const char* kWeekdays[] = {"So", "Mo", "Di", "Mi", "Do", "Fr", "Sa"};
  static constexpr const char* kMonths[] = {"Jan", "Feb", "Mär", "Apr", "Mai", "Jun",
                                            "Jul", "Aug", "Sep", "Okt", "Nov", "Dez"};
  const char* weekday = time.tm_wday >= 0 && time.tm_wday < 7 ? kWeekdays[time.tm_wday] : "??";
  const char* month = time.tm_mon >= 0 && time.tm_mon < 12 ? kMonths[time.tm_mon] : "???";
  char buffer[96];
  std::snprintf(buffer, sizeof buffer, "%s %3d %s %d %.2d:%.2d \r\n", weekday, time.tm_mday, month,
                time.tm_year + 1900, time.tm_hour, time.tm_min);
  return buffer;
}

Diagnostics::Diagnostics(Ui& ui, FileSystem& files)
    : ui_(ui),
      files_(files),
      reportCapacity_(kReportStartCapacity),
      clock_(LocalNow),
      listFaults_(HandleListFault, this) {}

int Diagnostics::ErrorBox(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  const std::string text = FormatText(format, args);
  va_end(args);
  ui_.MessageBox(PrefixOfChars(text, kErrorBoxMaxChars), "FEHLER", MessageButtons::Ok,
                 MessageIcon::Exclamation);
  reportLength_ = 0;
  return 0;
}

void Diagnostics::ReportAppend(const char* format, ...) {
  std::va_list args;
  va_start(args, format);
  std::va_list peek;
  va_copy(peek, args);
  const bool skip = FirstArgumentIsZero(format, peek);
  va_end(peek);
  if (!skip) AppendFormatted(format, args);
  va_end(args);
}

void Diagnostics::AppendFormatted(const char* format, std::va_list args) {
  if (reportLength_ == kReportFull) return;
  const std::string piece = FormatText(format, args);
  if (reportLength_ == 0) {
    reportText_.clear();
    reportCapacity_ = kReportStartCapacity;
  }
  // The capacity grows tenfold when the text comes near it; a long piece grows it further.
  const std::size_t length = static_cast<std::size_t>(reportLength_);
  while (length + kReportMargin > reportCapacity_ || length + piece.size() >= reportCapacity_) {
    if (reportCapacity_ * 10 > kReportMaxCapacity) {
      ErrorBox("\r\ntoo big output\r\n");
      reportLength_ = kReportFull;
      return;
    }
    reportCapacity_ *= 10;
  }
  try {
    reportText_.append(piece);
  } catch (const std::bad_alloc&) {
    ErrorBox("\r\ntoo big output\r\n");
    reportLength_ = kReportFull;
    return;
  }
  reportLength_ = static_cast<std::int32_t>(reportText_.size());
}

void Diagnostics::TruncateReport(std::int32_t length) {
  if (reportLength_ == kReportFull || length < 0 || length >= reportLength_) return;
  reportText_.resize(static_cast<std::size_t>(length));
  reportLength_ = length;
}

void Diagnostics::LogAppend(const char* format, ...) {
  if (logPath_.empty()) return;
  std::va_list args;
  va_start(args, format);
  const std::string text = FormatText(format, args);
  va_end(args);
  LogWrite(text);
}

void Diagnostics::LogAppendReport() { LogWrite(reportText_); }

void Diagnostics::LogWrite(std::string_view text) const {
  if (logPath_.empty()) return;
  FileStatus status;
  const bool starts = !logFirstLine_.empty() && !text.starts_with(logFirstLine_) &&
                      files_.Status(logPath_, status) == 0 && status.kind == FileKind::Missing;
  int error = 0;
  const std::unique_ptr<OutputFile> file = files_.OpenForAppend(logPath_, error);
  if (file == nullptr) return;
  if (starts) file->Write(logFirstLine_.data(), logFirstLine_.size());
  file->Write(text.data(), text.size());
  file->Close();
}

std::string Diagnostics::LogTimestamp() const { return FormatLogTimestamp(clock_()); }

}  // namespace korvane
