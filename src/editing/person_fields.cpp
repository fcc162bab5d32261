#include "editing/person_fields.h"

#include <cctype>

#include "store/flags.h"
#include "store/sex.h"

namespace korvane {
namespace {

// Makes `rin` the husband (or the wife) of every family in which it holds the other
// place; the partner there takes the other place and the other sex.
void TakeRole(Store& store, Rin rin, bool husband) {
  for (const Mrin mrin : store.personTable[rin].fams) {
    if (mrin < 1 || mrin > store.FamilyCount()) continue;
    Family& family = store.familyTable[mrin];
    Rin& own = husband ? family.husband : family.wife;
    Rin& other = husband ? family.wife : family.husband;
    if (other != rin) continue;
    const Rin partner = own;
    own = rin;
    other = partner;
    if (partner >= 1 && partner <= store.PersonCount()) {
      store.personTable[partner].sex = husband ? 'F' : 'M';
      store.personTable[partner].flags |= ChangedFlag;
    }
    family.flags = (family.flags & ~(HasHusbandFlag | HasWifeFlag)) |
                   (family.husband != 0 ? HasHusbandFlag : 0) |
                   (family.wife != 0 ? HasWifeFlag : 0) | ChangedFlag;
  }
}

}  // namespace

bool SetSex(EditSession& session, Rin rin, char letter) {
  Store& store = session.store;
  if (rin < 1 || rin > store.PersonCount()) return false;
  Person& person = store.personTable[rin];
  const char wanted = static_cast<char>(std::toupper(static_cast<unsigned char>(letter)));
  const char sex = NormalizedSex(wanted == 'W' ? 'F' : wanted);
  if (sex == 0) {
    if (wanted == std::toupper(static_cast<unsigned char>(person.sex))) return false;
    if (wanted == 'U' && NormalizedSex(person.sex) == 0) return false;
    session.diagnostics.ErrorBox("Falsches Geschlecht '%c' ignoriert", wanted);
    return false;
  }
  if (NormalizedSex(person.sex) == sex) return false;  // "m" is a man already
  person.sex = sex;
  person.flags |= ChangedFlag;
  TakeRole(store, rin, sex == 'M');
  return true;
}

bool SetEventText(TextPool& texts, TextPoolId pool, const char*& field, std::uint32_t& flags,
                  std::string_view text, std::uint32_t presenceBit) {
  const std::string_view stored = CleanPoolText(text);
  const std::string_view current = field != nullptr ? field : "";
  if (stored == current) return false;
  field = InternText(texts, pool, stored);
  flags = stored.empty() ? flags & ~presenceBit : flags | presenceBit;
  flags |= ChangedFlag;
  return true;
}

std::string CleanGivenNames(std::string_view text) {
  std::size_t start = text.find_first_not_of(" \t");
  std::string names(start == std::string_view::npos ? "" : text.substr(start));
  if (names.starts_with('"')) {
    names.erase(0, 1);
    const std::size_t closing = names.find('"');
    if (closing != std::string::npos) {
      if (closing + 1 == names.size() || names[closing + 1] == ' ') {
        names.erase(closing, 1);
      } else {
        names[closing] = ' ';
      }
    }
  }
  std::erase(names, ',');
  names.erase(names.find_last_not_of(' ') + 1);
  return names;
}

}  // namespace korvane
