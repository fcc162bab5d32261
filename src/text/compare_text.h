#pragma once

namespace korvane {

// The folded value of a character for comparisons. Characters up to U+00FF fold as the
// single bytes of the program's original code page did: below 'a' they move up by 0x20
// (so the terminator 0 becomes 0x20 and a space 0x40), 'a'..U+00BF stay, and the Latin-1
// letters fold to their base letter. Characters above U+00FF fold to themselves.
char32_t FoldChar(char32_t ch);

// Compares two zero-terminated UTF-8 texts character by character after folding. Returns
// the difference of the first unequal folded pair (positive when `a` is greater), or 0
// when both texts end together or `limit` characters compared equal. Null counts as empty.
int CompareText(const char* a, const char* b, int limit);

}  // namespace korvane
