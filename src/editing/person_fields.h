#pragma once

// The storing steps of the person dialog's save. Each returns whether the record changed.

#include <cstdint>
#include <string>
#include <string_view>

#include "editing/edit_session.h"
#include "store/text_pool.h"

namespace korvane {

// Sets the sex of `rin` to the letter typed (any case): M a man, F or W a woman. A man
// becomes the husband of each of his families in which he was the wife, the former
// husband turns wife and woman; a woman the mirror image. Records that change get the
// changed flag. A person of unknown sex keeps it for "U"; any other letter shows
// "Falsches Geschlecht '%c' ignoriert" and leaves the sex as it was.
bool SetSex(EditSession& session, Rin rin, char letter);

// Stores an edited name or place into `field` (of a record whose flag word is `flags`)
// as the pool keeps it; `presenceBit` follows whether a text is left. Nothing changes
// when the stored text is equal, or when both are empty.
bool SetEventText(TextPool& texts, TextPoolId pool, const char*& field, std::uint32_t& flags,
                  std::string_view text, std::uint32_t presenceBit);

// Given names as typed, cleaned: leading blanks go, a leading double quote goes with its
// closing one (which becomes a blank when a letter follows it), commas go, and trailing
// blanks.
std::string CleanGivenNames(std::string_view text);

}  // namespace korvane
