#include "editing/completion_lists.h"

#include <algorithm>
#include <string_view>

#include "store/accessors.h"
#include "store/events.h"
#include "store/sex.h"

namespace korvane {
namespace {

constexpr std::size_t kPlacesAtLoad = 20;
constexpr std::size_t kNamesAtLoad = 100;

bool Holds(const std::vector<std::string>& list, std::string_view text) {
  return std::find(list.begin(), list.end(), text) != list.end();
}

bool HasText(const char* text) { return text != nullptr && *text != 0; }

void AddPlaces(const Person& person, std::vector<std::string>& places) {
  for (const EventRow& row : EventRowsOf<Person>()) {
    const char* place = PlaceOf(person, row);
    if (HasText(place) && !Holds(places, place)) places.emplace_back(place);
  }
}

void AddNames(std::string_view givenNames, std::vector<std::string>& names) {
  std::size_t pos = 0;
  while (pos < givenNames.size() && names.size() < kNamesAtLoad) {
    const std::size_t end = std::min(givenNames.find(' ', pos), givenNames.size());
    const std::string_view word = givenNames.substr(pos, end - pos);
    if (!word.empty() && !Holds(names, word)) names.emplace_back(word);
    pos = end + 1;
  }
}

}  // namespace

void BuildCompletionLists(const Store& store, CompletionLists& lists) {
  lists = CompletionLists();
  for (Rin rin = store.PersonCount(); rin >= 1; --rin) {
    if (!PersonExists(store, rin)) continue;
    const Person& person = store.personTable[rin];
    if (!HasText(person.givenNames)) continue;
    // A person's places go in together, so the list may end a few beyond the limit.
    if (lists.places.size() < kPlacesAtLoad) AddPlaces(person, lists.places);
    AddNames(person.givenNames, IsFemale(person.sex) ? lists.womensNames : lists.mensNames);
  }
}

}  // namespace korvane
