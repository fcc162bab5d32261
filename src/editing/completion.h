#pragma once

// Completion of given names and places from the lists of recently used entries, and the
// recording that keeps the lists in order of use (most recent last).

#include <string>
#include <string_view>
#include <vector>

#include "editing/person_dialog.h"

namespace korvane::editing {

// A given-names field completes its last word, capitalised and followed by a space; a
// place field completes its whole text as it stands.
enum class CompletionMode { kGivenName, kPlace };

// `typed` is the field just after a character went in. When the caret stands at the end
// and an entry begins with the word (searched from the most recent entry back), the word
// is replaced by the entry and the part the entry adds is selected, so that typing on
// overwrites it. Entries match case for case, except that a given name typed with a
// lower-case first letter also finds the capitalised entry; the entry found then keeps
// (or gets) its capital.
FieldText CompleteTyped(std::vector<std::string>& list, const FieldText& typed,
                        CompletionMode mode);

// The last word of a given-names text: behind its last space, trailing spaces ignored.
std::string_view LastWord(std::string_view text);

// The entry that begins with `word` moves to the end of the list; without one, the word
// takes the place of the first (least recently used) entry. An empty word records nothing.
void RecordUse(std::vector<std::string>& list, std::string_view word);

}  // namespace korvane::editing
