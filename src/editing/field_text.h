#pragma once

// Editing steps on the text of a dialog field. Positions count characters of the UTF-8
// text, as the edit widgets do, so an umlaut is one step of the caret.

#include <cstddef>
#include <string>
#include <string_view>

#include "editing/person_dialog.h"

namespace korvane::editing {

int CharCount(std::string_view text);
// The byte offset of character `chars`; the end of the text for a position beyond it.
std::size_t ByteOffset(std::string_view text, int chars);

// The selection replaced by `insert`; the caret stands behind it, nothing selected.
FieldText ReplaceSelection(const FieldText& field, std::string_view insert);
// Backspace: the selection goes, or the character before the caret when there is none.
FieldText DeleteBackward(const FieldText& field);

// True when the text begins with a lower-case letter that has an upper-case form.
bool StartsLowerCase(std::string_view text);
// The text with its first letter in upper case (Latin-1 letters; others stay).
std::string UpperFirst(std::string_view text);

}  // namespace korvane::editing
