#include "dates/parse_typed_date.h"

#include <span>
#include <string_view>

#include "dates/date_words.h"
#include "text/utf8.h"

namespace korvane {
namespace {

constexpr std::string_view kSeparators = " .-,+";
// After a qualifier word, a month word may follow without a blank ('vorMai 1850').
constexpr std::string_view kMonthInitials = "jfmajsond";
constexpr int kNumberCap = 1'000'000;

// Walks the text one UTF-8 character at a time and never past its terminator.
struct Cursor {
  const char* pos;

  bool AtEnd() const { return *pos == '\0'; }
  char32_t Peek() const {
    const char* next = pos;
    return AtEnd() ? 0 : DecodeUtf8(next);
  }
  void Advance() {
    if (!AtEnd()) DecodeUtf8(pos);
  }
};

// Letters are compared after setting bit 5, which lower-cases ASCII and Latin-1 letters.
// Characters above U+00FF are left alone, so none of them can pass for a letter.
char32_t Lower(char32_t ch) { return ch <= 0xFF ? (ch | 0x20) : ch; }

bool IsDigit(char32_t ch) { return ch >= '0' && ch <= '9'; }

bool IsIn(std::string_view set, char32_t ch) {
  return ch != 0 && ch < 0x80 && set.find(static_cast<char>(ch)) != std::string_view::npos;
}

void SkipSeparators(Cursor& c) {
  while (!c.AtEnd() && IsIn(kSeparators, c.Peek())) c.Advance();
}

void SkipToDigit(Cursor& c) {
  while (!c.AtEnd() && !IsDigit(c.Peek())) c.Advance();
}

void PassOptional(Cursor& c, std::string_view letters) {
  if (!c.AtEnd() && IsIn(letters, Lower(c.Peek()))) c.Advance();
}

int ReadNumber(Cursor& c) {
  int value = 0;
  for (; !c.AtEnd() && IsDigit(c.Peek()); c.Advance()) {
    value = value >= kNumberCap ? kNumberCap : value * 10 + static_cast<int>(c.Peek() - '0');
  }
  return value;
}

// A small trie over lower-cased letters. An edge leads to another node, or ends the word
// with a qualifier (its value indexes kQualifierTails) or a month.
enum class Reach : unsigned char { kNode, kQualifier, kMonth };

struct Edge {
  char letter;
  Reach reach;
  int value;
};

struct TrieNode {
  std::span<const Edge> edges;
  int stopValue;  // the result when the word ends in this node
};

struct Walk {
  const Edge* edge;  // the final edge, or null when the word ended in `node`
  int node;
};

// Stops before a digit or the end, and after consuming a character the node does not list.
Walk WalkTrie(std::span<const TrieNode> trie, Cursor& c) {
  int node = 0;
  while (!c.AtEnd() && !IsDigit(c.Peek())) {
    const char32_t ch = Lower(c.Peek());
    c.Advance();
    const Edge* next = nullptr;
    for (const Edge& edge : trie[node].edges) {
      if (ch == static_cast<unsigned char>(edge.letter)) next = &edge;
    }
    if (next == nullptr) break;
    if (next->reach != Reach::kNode) return {next, node};
    node = next->value;
  }
  return {nullptr, node};
}

constexpr Edge Node(char letter, int node) { return {letter, Reach::kNode, node}; }
constexpr Edge Month(char letter, int month) { return {letter, Reach::kMonth, month}; }
constexpr Edge Qualifier(char letter, int tail) { return {letter, Reach::kQualifier, tail}; }

// What may follow the letters that decided a qualifier: one optional letter of `first`, then
// one of `second` ('vor' and 'before', 'aft' and 'nach', 'abt' and 'ung').
struct QualifierTail {
  int qualifier;
  std::string_view first;
  std::string_view second;
  // When this letter follows at once, the word was a month after all.
  char monthLetter = 0;
  int month = 0;
};

enum TailIndex { kBeforeTail, kAfterTail, kAboutTail, kCalculatedTail, kUmTail, kNTail };
constexpr QualifierTail kQualifierTails[] = {
    {kBefore, "fo", "r"},
    {kAfter, "ta", "c"},
    {kAbout, "tn", "g"},
    {kCalculated, "", ""},
    // German 'um' (around): the 'm' belongs to the word. Left in place it would be read as a
    // month word, and 'um 1850' would become about March 1850.
    {kAbout, "tnm", "g"},
    // 'n' is 'nach' (after), but a leading 'no' is November: read as after, the 'ov' that
    // follows would turn 'Nov 1850' into after October 1850.
    {kAfter, "ta", "c", 'o', 11},
};

// Ending in 'j', 'ju', 'm' or 'ma' leaves a month word we cannot finish; the date is emptied
// rather than guessed.
constexpr int kEmptiesDate = -1;

enum LeadingNode { kLStart, kLA, kLB, kLBe, kLC, kLCa, kLJ, kLJu, kLM, kLMa };
constexpr Edge kLStartEdges[] = {
    Node('a', kLA), Node('b', kLB),         Node('c', kLC),          Node('j', kLJ),
    Node('m', kLM), Qualifier('n', kNTail), Qualifier('u', kUmTail), Qualifier('v', kBeforeTail),
    Month('d', 12), Month('f', 2),          Month('o', 10),          Month('s', 9)};
constexpr Edge kLAEdges[] = {Qualifier('f', kAfterTail), Qualifier('b', kAboutTail), Month('p', 4),
                             Month('u', 8)};
constexpr Edge kLBEdges[] = {Node('e', kLBe), Qualifier('f', kBeforeTail),
                             Qualifier('r', kCalculatedTail)};
constexpr Edge kLBeEdges[] = {Qualifier('f', kBeforeTail), Qualifier('r', kCalculatedTail)};
constexpr Edge kLCEdges[] = {Node('a', kLCa), Qualifier('l', kCalculatedTail)};
constexpr Edge kLCaEdges[] = {Qualifier('l', kCalculatedTail), Qualifier('.', kAboutTail)};
constexpr Edge kLJEdges[] = {Month('a', 1), Month('l', 7), Month('n', 6), Node('u', kLJu)};
constexpr Edge kLJuEdges[] = {Month('l', 7), Month('n', 6)};
constexpr Edge kLMEdges[] = {Node('a', kLMa), Month('i', 5), Month('y', 5)};
constexpr Edge kLMaEdges[] = {Month('r', 3), Month('i', 5), Month('y', 5)};

constexpr TrieNode kLeadingTrie[] = {{kLStartEdges, kNoQualifier}, {kLAEdges, kAfter},
                                     {kLBEdges, kBefore},          {kLBeEdges, kBefore},
                                     {kLCEdges, kNoQualifier},     {kLCaEdges, kAbout},
                                     {kLJEdges, kEmptiesDate},     {kLJuEdges, kEmptiesDate},
                                     {kLMEdges, kEmptiesDate},     {kLMaEdges, kEmptiesDate}};

enum MonthNode { kMStart, kMA, kMM, kMMa, kMJ, kMJu };
constexpr Edge kMStartEdges[] = {Node('a', kMA), Node('m', kMM), Node('j', kMJ), Month('d', 12),
                                 Month('f', 2),  Month('n', 11), Month('o', 10), Month('s', 9)};
constexpr Edge kMAEdges[] = {Month('p', 4), Month('u', 8)};
constexpr Edge kMMEdges[] = {Node('a', kMMa), Month('r', 3), Month('i', 5), Month('y', 5)};
constexpr Edge kMMaEdges[] = {Month('r', 3), Month('i', 5), Month('y', 5)};
constexpr Edge kMJEdges[] = {Month('a', 1), Node('u', kMJu), Month('n', 6), Month('l', 7)};
constexpr Edge kMJuEdges[] = {Month('n', 6), Month('l', 7)};

// Unfinished words: 'Apr' and 'Aug' share 'a'; 'März' and 'Mrz' end in 'm'.
constexpr TrieNode kMonthTrie[] = {{kMStartEdges, 0}, {kMAEdges, 4}, {kMMEdges, 3},
                                   {kMMaEdges, 3},    {kMJEdges, 1}, {kMJuEdges, 6}};

struct Fields {
  int year = 0;
  int month = 0;
  int day = 0;
  int qualifier = kNoQualifier;
};

void ReadMonthAndYear(Cursor& c, Fields& fields, int month) {
  fields.month = month;
  SkipToDigit(c);
  fields.year = ReadNumber(c);
}

// A word before the first number: a qualifier, or a month with its year. Returns false when
// the whole date is to be emptied.
bool ReadLeadingWord(Cursor& c, Fields& fields) {
  const Walk walk = WalkTrie(kLeadingTrie, c);
  if (walk.edge == nullptr) {
    const int stop = kLeadingTrie[walk.node].stopValue;
    if (stop == kEmptiesDate) return false;
    fields.qualifier = stop;
    return true;
  }
  if (walk.edge->reach == Reach::kMonth) {
    ReadMonthAndYear(c, fields, walk.edge->value);
    return true;
  }
  const QualifierTail& tail = kQualifierTails[walk.edge->value];
  if (tail.monthLetter != 0 && !c.AtEnd() &&
      Lower(c.Peek()) == static_cast<unsigned char>(tail.monthLetter)) {
    c.Advance();
    ReadMonthAndYear(c, fields, tail.month);
    return true;
  }
  fields.qualifier = tail.qualifier;
  PassOptional(c, tail.first);
  PassOptional(c, tail.second);
  if (!c.AtEnd() && (IsDigit(c.Peek()) || IsIn(kMonthInitials, Lower(c.Peek())))) return true;
  SkipToDigit(c);
  return true;
}

// A month word after the day number; 0 when it names none.
int ReadMonthWord(Cursor& c) {
  const Walk walk = WalkTrie(kMonthTrie, c);
  const int month = walk.edge != nullptr ? walk.edge->value : kMonthTrie[walk.node].stopValue;
  SkipToDigit(c);
  return month;
}

// The numbers after the leading word: 'D.M.Y', 'M.Y', 'D.Y', 'D Monthword Y' or 'Y'.
void ReadNumbers(Cursor& c, Fields& fields) {
  SkipSeparators(c);
  const int first = ReadNumber(c);
  SkipSeparators(c);
  if (c.AtEnd()) {
    fields.year = first;
  } else if (IsDigit(c.Peek())) {
    const int second = ReadNumber(c);
    if (second <= kMaxMonth) {
      fields.day = first;
      fields.month = second;
      SkipSeparators(c);
      fields.year = ReadNumber(c);
    } else {
      fields.year = second;
      (first <= kMaxMonth ? fields.month : fields.day) = first;
    }
  } else if (const int month = ReadMonthWord(c); month != 0) {
    fields.day = first;
    fields.month = month;
    SkipSeparators(c);
    fields.year = ReadNumber(c);
  } else {
    fields.year = first;
  }
}

Fields ReadFields(const char* text) {
  Fields fields;
  if (text == nullptr) return fields;
  Cursor c{text};
  if (!IsDigit(c.Peek()) && !ReadLeadingWord(c, fields)) return Fields{};
  if (fields.year == 0 && !c.AtEnd()) ReadNumbers(c, fields);
  return fields;
}

// A number out of range for its field is dropped rather than masked: masking would show a
// different, plausible date (5000 as 904), while an empty field shows the user what was lost.
int InRange(int value, int max) { return value <= max ? value : 0; }

}  // namespace

PackedDate ParseTypedDate(PackedDate date, const char* text) {
  const Fields fields = ReadFields(text);
  PackedDate result;
  result.SetParseFailed(date.ParseFailed());
  result.SetYear(InRange(fields.year, kMaxYear));
  result.SetMonth(InRange(fields.month, kMaxMonth));
  result.SetDay(InRange(fields.day, kMaxDay));
  result.SetQualifier(fields.qualifier);
  return result;
}

}  // namespace korvane
