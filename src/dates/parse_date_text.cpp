#include "dates/parse_date_text.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "dates/date_words.h"
#include "text/compare_text.h"
#include "text/utf8.h"

namespace korvane {
namespace {

constexpr int kMaxTokens = 4;
// A longer token fails the parse instead of being cut: the cut part would be read as the
// next token and could make a different, valid date.
constexpr int kMaxTokenChars = 15;
constexpr int kMaxSecondYearOffset = 10;
// Numbers saturate here while they are read, so no digit string can overflow; every valid
// field value lies far below.
constexpr int kNumberCap = 1'000'000;
constexpr int kWordCompareLimit = 1000;
constexpr std::array<int, 12> kMonthLength = {31, 29, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};

// Exact short forms that are tested before the first-letter rule, which would give their
// letter to a later month ('A' to August, 'M' to May, 'J' to July).
struct ExactMonth {
  const char* word;
  int month;
};
constexpr ExactMonth kExactMonths[] = {{"Apr", 4}, {"Mar", 3}, {"Jan", 1}, {"Jun", 6}};

// GEDCOM date forms a PackedDate cannot hold (ranges, periods, interpreted dates). Reading
// only part of them would store a different date, so such texts fail as a whole.
constexpr const char* kUnsupportedWords[] = {"BET", "AND", "FROM", "TO", "INT"};
constexpr char kCalendarEscape[] = "@#D";

using TokenText = std::array<char, kMaxTokenChars * 4 + 1>;  // 15 characters of UTF-8

struct Tokens {
  std::array<TokenText, kMaxTokens> text{};
  int count = 0;
};

bool IsBlank(char ch) {
  return ch == ' ' || ch == '\t' || ch == '\n' || ch == '\v' || ch == '\f' || ch == '\r';
}

bool IsDigit(char ch) { return ch >= '0' && ch <= '9'; }

int ReadNumber(const char*& p) {
  int value = 0;
  for (; IsDigit(*p); ++p) value = value >= kNumberCap ? kNumberCap : value * 10 + (*p - '0');
  return value;
}

int LeadingNumber(const char* token) { return ReadNumber(token); }

bool IsUnsupported(const char* token) {
  if (IsDigit(*token)) return false;
  if (std::strncmp(token, kCalendarEscape, 2) == 0 && (token[2] == 'D' || token[2] == 'd')) {
    return true;
  }
  for (const char* word : kUnsupportedWords) {
    if (CompareText(token, word, kWordCompareLimit) == 0) return true;
  }
  return false;
}

// Splits the text at blanks and keeps the first four tokens. Fails on a token that is too
// long or that marks an unsupported form, wherever in the text it stands.
bool SplitTokens(const char* text, Tokens& tokens) {
  const char* p = text;
  for (;;) {
    while (IsBlank(*p)) ++p;
    if (*p == '\0') return true;
    const char* start = p;
    int chars = 0;
    while (*p != '\0' && !IsBlank(*p)) {
      DecodeUtf8(p);
      if (++chars > kMaxTokenChars) return false;
    }
    TokenText token{};
    std::memcpy(token.data(), start, static_cast<std::size_t>(p - start));
    if (IsUnsupported(token.data())) return false;
    if (tokens.count < kMaxTokens) tokens.text[tokens.count++] = token;
  }
}

// Values are range-checked before they go into their bit fields, so an out-of-range number
// fails instead of wrapping into a different valid date.
bool StoreDay(PackedDate& date, int day) {
  if (day > kMaxDay) return false;
  date.SetDay(day);
  return true;
}

bool StoreMonth(PackedDate& date, int month) {
  if (month > kMaxMonth) return false;
  date.SetMonth(month);
  return true;
}

bool StoreYear(PackedDate& date, int year) {
  if (year > kMaxYear) return false;
  date.SetYear(year);
  return true;
}

bool StoreWordMonth(PackedDate& date, const char* token) {
  const int month = MonthFromWord(token);
  date.SetMonth(month);
  return month != 0;
}

// 'D.M.Y', 'M.Y' or 'Y'. A month over 12 fails like any other impossible date; keeping it
// out of the month field instead would silently drop what the user wrote.
bool ReadDottedToken(PackedDate& date, const char* token) {
  std::array<int, 3> numbers{};
  int count = 0;
  const char* p = token;
  while (count < 3 && IsDigit(*p)) {
    numbers[count++] = ReadNumber(p);
    if (*p != '.') break;
    ++p;
  }
  switch (count) {
    case 3:
      return StoreDay(date, numbers[0]) && StoreMonth(date, numbers[1]) &&
             StoreYear(date, numbers[2]);
    case 2:
      return StoreMonth(date, numbers[0]) && StoreYear(date, numbers[1]);
    case 1:
      return StoreYear(date, numbers[0]);
    default:
      return false;
  }
}

bool ReadFields(PackedDate& date, const Tokens& tokens) {
  const char* t0 = tokens.text[0].data();
  const char* t1 = tokens.text[1].data();
  const char* t2 = tokens.text[2].data();
  const char* t3 = tokens.text[3].data();
  switch (tokens.count) {
    case 1:
      if (std::strchr(t0, '.') != nullptr) return ReadDottedToken(date, t0);
      if (StoreWordMonth(date, t0)) return true;
      return StoreYear(date, LeadingNumber(t0));
    case 2:
      if (const int qualifier = QualifierFromWord(t0); qualifier != 0) {  // 'ABT 1850'
        date.SetQualifier(qualifier);
        return StoreYear(date, LeadingNumber(t1));
      }
      if (StoreWordMonth(date, t0)) return StoreYear(date, LeadingNumber(t1));  // 'MAR 1850'
      return StoreDay(date, LeadingNumber(t0)) && StoreWordMonth(date, t1);     // '12 MAR'
    case 3:
      if (const int qualifier = QualifierFromWord(t0); qualifier != 0) {  // 'ABT MAR 1850'
        date.SetQualifier(qualifier);
      } else if (!StoreDay(date, LeadingNumber(t0))) {  // '12 MAR 1850'
        return false;
      }
      return StoreWordMonth(date, t1) && StoreYear(date, LeadingNumber(t2));
    case 4:  // 'ABT 12 MAR 1850'
      date.SetQualifier(QualifierFromWord(t0));
      return StoreDay(date, LeadingNumber(t1)) && StoreWordMonth(date, t2) &&
             StoreYear(date, LeadingNumber(t3));
    default:
      return true;
  }
}

bool DayFitsMonth(PackedDate date) {
  const int month = date.Month();
  return month < 1 || month > 11 || date.Day() <= kMonthLength[month - 1];
}

// '1700/1701': the year after the first '/' is kept as an offset of 1..10. The offset is
// taken from the true difference: folding it modulo 128 would let '1700/1573' pass as
// '1700/1701' and '1700/1828' as plain '1700'.
bool ReadSecondYear(PackedDate& date, const char* text) {
  const char* slash = std::strchr(text, '/');
  if (slash == nullptr) {
    date.SetSecondYearOffset(0);
    return true;
  }
  const char* p = slash + 1;
  const int offset = ReadNumber(p) - date.Year();
  if (offset < 0 || offset > kMaxSecondYearOffset) return false;
  date.SetSecondYearOffset(offset);
  return true;
}

// Nearly every date of a file has one of a few forms in upper-case GEDCOM words with
// single blanks: "12 MAR 1850", "ABT 1850", "MAR 1850", "1850". These are read here in one
// pass. Anything else, and anything this reading would reject, is left to the general
// reading, which gives the same date for these forms.
enum class Kind : char { Number, Month, Qualifier };

struct CommonTokens {
  std::array<Kind, kMaxTokens> kind{};
  std::array<int, kMaxTokens> value{};
  int count = 0;
};

constexpr std::uint32_t WordKey(const char* word) {
  return static_cast<std::uint32_t>(static_cast<unsigned char>(word[0])) << 16 |
         static_cast<std::uint32_t>(static_cast<unsigned char>(word[1])) << 8 |
         static_cast<unsigned char>(word[2]);
}

bool IsUpper(char ch) { return ch >= 'A' && ch <= 'Z'; }

template <std::size_t N>
constexpr std::array<std::uint32_t, N> WordKeys(const std::array<const char*, N>& words) {
  std::array<std::uint32_t, N> keys{};
  for (std::size_t i = 1; i < N; ++i) keys[i] = WordKey(words[i]);
  return keys;
}
constexpr auto kMonthKeys = WordKeys(kGedcomMonthWords);
constexpr auto kQualifierKeys = WordKeys(kGedcomQualifierWords);

// The month or qualifier an upper-case GEDCOM word names.
bool ReadCommonWord(std::uint32_t key, Kind& kind, int& value) {
  for (int month = 1; month <= kMaxMonth; ++month) {
    if (key == kMonthKeys[month]) {
      kind = Kind::Month, value = month;
      return true;
    }
  }
  for (int qualifier = 1; qualifier <= kMaxQualifier; ++qualifier) {
    if (key == kQualifierKeys[qualifier]) {
      kind = Kind::Qualifier, value = qualifier;
      return true;
    }
  }
  if (key != WordKey("EST")) return false;
  kind = Kind::Qualifier, value = kCalculated;
  return true;
}

bool SplitCommonTokens(std::string_view text, CommonTokens& tokens) {
  // A copy padded with zeros, so that the words can be read without bounds; the forms
  // read here are shorter. A NUL in the text ends the scan before the text's end.
  char padded[32] = {};
  if (text.size() > 24) return false;
  if (!text.empty()) std::memcpy(padded, text.data(), text.size());  // data() may be null
  const char* p = padded;
  for (;; ++p) {
    if (tokens.count == kMaxTokens) return false;
    Kind& kind = tokens.kind[tokens.count];
    int& value = tokens.value[tokens.count];
    if (IsDigit(*p)) {
      kind = Kind::Number, value = 0;
      for (int digits = 1; IsDigit(*p); ++p, ++digits) {
        if (digits > 4) return false;
        value = value * 10 + (*p - '0');
      }
    } else if (IsUpper(p[0]) && IsUpper(p[1]) && IsUpper(p[2]) &&
               ReadCommonWord(WordKey(p), kind, value)) {
      p += 3;
    } else {
      return false;
    }
    ++tokens.count;
    if (*p == '\0') return p == padded + text.size();
    if (*p != ' ') return false;
  }
}

// The kinds of up to four tokens as one number, a digit of base 4 each.
constexpr int Shape(std::string_view kinds) {
  int shape = 0;
  for (const char kind : kinds) shape = shape * 4 + (kind == 'N' ? 1 : kind == 'M' ? 2 : 3);
  return shape;
}

bool ReadCommonForm(PackedDate& date, std::string_view text) {
  CommonTokens t;
  if (!SplitCommonTokens(text, t)) return false;
  int shape = 0;
  for (int i = 0; i < t.count; ++i) shape = shape * 4 + static_cast<int>(t.kind[i]) + 1;
  const std::array<int, kMaxTokens>& v = t.value;
  int qualifier = 0, day = 0, month = 0, year = 0;
  switch (shape) {
    case Shape("N"):
      year = v[0];
      break;
    case Shape("M"):
      month = v[0];
      break;
    case Shape("QN"):
      qualifier = v[0], year = v[1];
      break;
    case Shape("MN"):
      month = v[0], year = v[1];
      break;
    case Shape("NM"):
      day = v[0], month = v[1];
      break;
    case Shape("QMN"):
      qualifier = v[0], month = v[1], year = v[2];
      break;
    case Shape("NMN"):
      day = v[0], month = v[1], year = v[2];
      break;
    case Shape("QNMN"):
      qualifier = v[0], day = v[1], month = v[2], year = v[3];
      break;
    default:
      return false;
  }
  const PackedDate read = PackedDate::Make(year, month, day, qualifier);
  if (year > kMaxYear || day > kMaxDay || !DayFitsMonth(read)) return false;
  date = read;
  return true;
}

// Every form, token by token.
bool ReadAnyForm(PackedDate& date, const char* text) {
  date = PackedDate{};
  date.SetParseFailed(true);
  Tokens tokens;
  if (!SplitTokens(text, tokens) || !ReadFields(date, tokens) || !DayFitsMonth(date) ||
      !ReadSecondYear(date, text)) {
    return false;
  }
  date.SetParseFailed(false);
  return true;
}

}  // namespace

bool ParseCommonDateText(PackedDate& date, std::string_view text) {
  return ReadCommonForm(date, text);
}

bool ParseDateText(PackedDate& date, std::string_view text) {
  if (ReadCommonForm(date, text)) return true;
  // The general reading ends the text at a NUL, as a zero-terminated text would end.
  return ReadAnyForm(date, std::string(text.substr(0, text.find('\0'))).c_str());
}

bool ParseDateText(PackedDate& date, const char* text) {
  if (text == nullptr) return false;
  return ReadCommonForm(date, text) || ReadAnyForm(date, text);
}

int MonthFromWord(const char* token) {
  // Every word starts with a letter, which no folded digit equals: years and days are
  // the common tokens and need no comparison.
  if (token == nullptr || IsDigit(*token)) return 0;
  for (const ExactMonth& exact : kExactMonths) {
    if (CompareText(token, exact.word, kWordCompareLimit) == 0) return exact.month;
  }
  char first = token[0];
  if (first >= 'a' && first <= 'z') first = static_cast<char>(first - 'a' + 'A');
  for (int month = kMaxMonth; month >= 1; --month) {
    if (kDisplayMonthWords[month][0] == first) return month;
  }
  return 0;
}

int QualifierFromWord(const char* token) {
  if (token == nullptr || IsDigit(*token)) return 0;
  for (const auto* words : {&kGedcomQualifierWords, &kDisplayQualifierWords}) {
    for (int qualifier = 1; qualifier <= kMaxQualifier; ++qualifier) {
      if (CompareText(token, (*words)[qualifier], kWordCompareLimit) == 0) return qualifier;
    }
  }
  // Estimated dates are read as calculated, the nearest qualifier we can hold.
  if (CompareText(token, "EST", kWordCompareLimit) == 0) return kCalculated;
  return 0;
}

}  // namespace korvane
