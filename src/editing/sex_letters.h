#pragma once

// The sex letters as the link rules read them: upper or lower case alike, so a person
// typed or read as "m" is a man. Every other letter, and none, is an unknown sex that the
// rules keep as it is.

namespace korvane::editing {

inline bool IsMan(char sex) { return sex == 'M' || sex == 'm'; }
inline bool IsWoman(char sex) { return sex == 'F' || sex == 'f'; }

}  // namespace korvane::editing
