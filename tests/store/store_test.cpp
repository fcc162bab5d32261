#include "store/store.h"

#include <gtest/gtest.h>

#include <climits>

#include "store/accessors.h"
#include "store_fixture.h"

namespace korvane {
namespace {

TEST(Store, NumbersOutsideTheTablesReadAsTheZeroRecord) {
  Store store;
  EXPECT_EQ(store.PersonCount(), 0);
  EXPECT_EQ(store.FamilyCount(), 0);
  const Rin anna = store_test::NewPerson(store, "Anna", "Maier", 'F');
  EXPECT_EQ(anna, 1);
  store.EnsurePersonCount(4);  // numbers the file never defined
  store.EnsurePersonCount(2);  // never shrinks
  EXPECT_EQ(store.PersonCount(), 4);
  EXPECT_EQ(store.personTable[3].flags, 0u);
  EXPECT_EQ(store.AddPerson(), 5);
  store.EnsureFamilyCount(2);
  EXPECT_EQ(store.AddFamily(), 3);
  EXPECT_EQ(store.familyTable[3].flags, PresentFlag);

  for (Rin rin : {INT_MIN, -1, 0, 6, INT_MAX}) {
    EXPECT_EQ(&store.PersonRecord(rin), &store.personTable[0]) << rin;
    EXPECT_EQ(&store.FamilyRecord(rin), &store.familyTable[0]) << rin;
  }
  EXPECT_EQ(&store.PersonRecord(anna), &store.personTable[anna]);
}

TEST(Store, ClearReturnsToNoDataAtAll) {
  Store store;
  const Rin anna = store_test::NewPerson(store, "Anna", "Maier", 'F');
  store_test::NewFamily(store, 0, anna);
  store.changeCounters = {1, 2, 3};
  store.baselinePersonCount = 1;
  store.Clear();
  EXPECT_EQ(store.PersonCount(), 0);
  EXPECT_EQ(store.FamilyCount(), 0);
  EXPECT_EQ(store.texts.TextCount(), 0u);
  EXPECT_EQ(store.changeCounters.merges + store.changeCounters.corrections +
                store.changeCounters.replacements,
            0);
  EXPECT_EQ(store.baselinePersonCount, 0);
  EXPECT_FALSE(PersonExists(store, anna));
  EXPECT_TRUE(store.personTable[0].fams.Empty());
  EXPECT_EQ(store.personTable[0].flags, 0u);

  // The store is fully usable again, texts included.
  EXPECT_EQ(store_test::NewPerson(store, "Karl", "Maier"), 1);
  EXPECT_STREQ(store.personTable[1].surname, "Maier");
  EXPECT_EQ(InternText(store.texts, TextPoolId::Places, "Maier"), store.personTable[1].surname);
  EXPECT_EQ(store.texts.TextCount(), 2u);
}

}  // namespace
}  // namespace korvane
