#pragma once

// The small steps every link operation is built from. Records are always reached by
// number: creating a record may move the whole table, so no reference into it is kept
// across a creation.

#include <cstdint>
#include <string>
#include <string_view>

#include "editing/edit_session.h"
#include "store/diagnostics.h"
#include "store/link_list.h"
#include "store/store.h"

namespace korvane::editing {

// Waits for the list sort before the first change of an operation.
void BeginChange(EditSession& session);

// printf into a string.
std::string Format(const char* format, ...) KORVANE_PRINTF_FORMAT(1, 2);

// A name field as the questions print it; an absent name is an empty text.
inline const char* NameText(const char* text) { return text != nullptr ? text : ""; }

// A Yes/No question with the question icon; true for Yes.
bool Ask(EditSession& session, const std::string& text, std::string_view title);

// A new person at PersonCount + 1, all fields clear. It has no present flag: it exists
// only once the operation that made it confirms it. `recordOffset` stays 0, as for every
// record made in the program.
Rin CreatePerson(Store& store);
// A new family at FamilyCount + 1 with the present flag.
Mrin CreateFamily(Store& store);
// Withdraws a record made for a dialog that was cancelled. The last record gives its
// number back; a record behind which others were made meanwhile is cleared instead.
void DiscardPerson(Store& store, Rin rin);
void DiscardFamily(Store& store, Mrin mrin);

// Removes every copy of `value`, also neighbouring doubles.
void RemoveEveryLink(LinkList& list, std::int32_t value);
// Appends `value` unless the list holds it already.
void AppendOnce(LinkList& list, std::int32_t value);

// The other spouse of `rin` in the family: the wife when the person is its husband, the
// husband when the person is its wife, and otherwise by sex (the husband for a woman).
Rin PartnerIn(const Store& store, Mrin mrin, Rin rin);

// The family's links go: its spouses and children let it go, its children list is
// emptied and its flag word cleared. Husband and wife keep their values in the record.
void UnlinkFamily(Store& store, Mrin mrin);

// A family still means something while it links a parent with a child, two spouses, or
// two siblings; otherwise a removal deletes it.
bool StillAFamily(const Family& family);

// Refuses a person number typed or given for `subject`: not a present person, or the
// subject itself. Shows the error box and returns false then.
bool AcceptOtherPerson(EditSession& session, Rin subject, Rin other);
// The same for a family number.
bool AcceptFamily(EditSession& session, Mrin mrin);
// The error box for a link that would make `rin` their own ancestor; returns false.
bool RefuseCycle(EditSession& session, Rin rin);

}  // namespace korvane::editing
