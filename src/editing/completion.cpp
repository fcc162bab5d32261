#include "editing/completion.h"

#include <algorithm>

#include "editing/field_text.h"

namespace korvane::editing {
namespace {

// The most recent entry beginning with `word`, or -1.
int FindEntry(const std::vector<std::string>& list, std::string_view word, bool capitalised) {
  const std::string upper = capitalised ? UpperFirst(word) : std::string();
  for (int i = static_cast<int>(list.size()) - 1; i >= 0; --i) {
    const std::string& entry = list[static_cast<std::size_t>(i)];
    if (entry.starts_with(word) || (capitalised && entry.starts_with(upper))) return i;
  }
  return -1;
}

}  // namespace

FieldText CompleteTyped(std::vector<std::string>& list, const FieldText& typed,
                        CompletionMode mode) {
  const int caret = typed.selectionStart;
  if (typed.selectionLength != 0 || caret != CharCount(typed.text)) return typed;
  const bool givenName = mode == CompletionMode::kGivenName;
  const std::size_t wordStart = givenName ? typed.text.rfind(' ') + 1 : 0;  // npos + 1 is 0
  const std::string_view word = std::string_view(typed.text).substr(wordStart);
  if (word.empty()) return typed;
  const bool lowerCase = givenName && StartsLowerCase(word);
  const int found = FindEntry(list, word, lowerCase);
  if (found < 0) return typed;
  std::string& entry = list[static_cast<std::size_t>(found)];
  if (lowerCase) entry = UpperFirst(entry);

  FieldText result;
  result.text = typed.text.substr(0, wordStart) + entry + (givenName ? " " : "");
  result.selectionStart = caret;
  result.selectionLength = CharCount(result.text) - caret;
  return result;
}

std::string_view LastWord(std::string_view text) {
  const std::size_t end = text.find_last_not_of(' ');
  if (end == std::string_view::npos) return {};
  text = text.substr(0, end + 1);
  return text.substr(text.rfind(' ') + 1);
}

void RecordUse(std::vector<std::string>& list, std::string_view word) {
  if (word.empty()) return;
  const int found = FindEntry(list, word, false);
  if (found >= 0) {
    const auto at = list.begin() + found;
    std::rotate(at, at + 1, list.end());
  } else if (list.empty()) {
    list.emplace_back(word);
  } else {
    list.front() = std::string(word);
  }
}

}  // namespace korvane::editing
