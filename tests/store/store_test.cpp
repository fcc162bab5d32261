#include "store/store.h"

#include <gtest/gtest.h>

#include "store/accessors.h"
#include "store_fixture.h"

namespace korvane {
namespace {

TEST(Store, ClearReturnsToNoDataAtAll) {
  Store store;
  store_test::NewFamily(store, 0, store_test::NewPerson(store, "Anna", "Maier", 'F'));
  store.changeCounters = {1, 2, 3};
  store.baselinePersonCount = 1;
  store.Clear();
  EXPECT_EQ(store.PersonCount(), 0);
  EXPECT_EQ(store.FamilyCount(), 0);
  EXPECT_EQ(store.texts.TextCount(), 0u);
  EXPECT_EQ(store.changeCounters.merges + store.changeCounters.corrections +
                store.changeCounters.replacements + store.baselinePersonCount,
            0);
  EXPECT_FALSE(PersonExists(store, 1));
  // Usable again, texts included.
  EXPECT_EQ(store_test::NewPerson(store, "Karl", "Maier"), 1);
  EXPECT_EQ(InternText(store.texts, TextPoolId::Places, "Maier"), store.personTable[1].surname);
  EXPECT_EQ(store.texts.TextCount(), 2u);
}

}  // namespace
}  // namespace korvane
