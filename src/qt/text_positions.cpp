#include "qt/text_positions.h"

namespace korvane {

int CharactersBefore(const QString& text, int utf16Position) {
  int characters = 0;
  for (int i = 0; i < utf16Position && i < text.size(); ++i) {
    if (!text[i].isLowSurrogate()) ++characters;
  }
  return characters;
}

int Utf16Position(const QString& text, int characters) {
  int i = 0;
  for (int seen = 0; i < text.size() && seen < characters; ++seen) {
    i += text[i].isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
  }
  return i;
}

}  // namespace korvane
