#include "editing/delete_family.h"

#include "editing/record_edits.h"
#include "store/accessors.h"
#include "store/flags.h"

namespace korvane {

void DeleteFamily(EditSession& session, Mrin mrin) {
  editing::BeginChange(session);
  Store& store = session.store;
  if (!FamilyExists(store, mrin)) return;
  const Family& family = store.familyTable[mrin];
  for (const Rin rin : {family.husband, family.wife}) {
    if (PersonExists(store, rin)) store.personTable[rin].flags |= ChangedFlag;
  }
  for (const Rin rin : family.children) {
    if (PersonExists(store, rin)) store.personTable[rin].flags |= ChangedFlag;
  }
  editing::UnlinkFamily(store, mrin);
  session.diagnostics.LogAppend("mrin %d gelöscht\n", mrin);
}

}  // namespace korvane
