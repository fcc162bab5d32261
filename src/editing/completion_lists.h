#pragma once

#include <string>
#include <vector>

#include "store/store.h"

namespace korvane {

// The words and places the person dialog completes from, most recently used last. They
// live from one load (or "Neu") to the next.
struct CompletionLists {
  std::vector<std::string> places;
  std::vector<std::string> womensNames;
  std::vector<std::string> mensNames;
};

// Fills the lists from the loaded persons, from the highest RIN down: up to 20 places
// (a person's places are added while fewer are held) and up to 100 given-name words each.
void BuildCompletionLists(const Store& store, CompletionLists& lists);

}  // namespace korvane
