#pragma once

#include <QString>

namespace korvane {

// The dialog models count positions in characters; Qt counts UTF-16 units, two for a
// character beyond the basic plane.
int CharactersBefore(const QString& text, int utf16Position);
int Utf16Position(const QString& text, int characters);

}  // namespace korvane
