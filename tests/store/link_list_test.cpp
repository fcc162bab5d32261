#include "store/link_list.h"

#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "platform/scripted_ui.h"
#include "store/diagnostics.h"
#include "store_fixture.h"

namespace korvane {
namespace {

using store_test::Entries;
using store_test::MakeList;
using Values = std::vector<std::int32_t>;

TEST(LinkList, AppendKeepsFileOrderAndContainsFindsEntries) {
  LinkList list;
  EXPECT_TRUE(list.Empty());
  EXPECT_FALSE(ListContains(list, 0));  // an empty list holds nothing, not even "none"
  for (std::int32_t value : {3, 1, 3, -2}) ListAppend(list, value);
  EXPECT_EQ(list.Count(), 4);
  EXPECT_EQ(Entries(list), (Values{3, 1, 3, -2}));
  EXPECT_TRUE(ListContains(list, 1));
  EXPECT_TRUE(ListContains(list, -2));
  EXPECT_FALSE(ListContains(list, 2));
  EXPECT_FALSE(ListContains(list, 0));
}

TEST(LinkList, HasNoLengthLimit) {
  // A family with more than 127 children or links must not lose any.
  LinkList list;
  for (int i = 1; i <= 1000; ++i) ListAppend(list, i);
  ASSERT_EQ(list.Count(), 1000);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(list.At(i), i + 1);
  EXPECT_TRUE(ListContains(list, 128));
  EXPECT_TRUE(ListContains(list, 1000));
}

TEST(LinkList, CopiesAreIndependentAndMovesHandOverTheEntries) {
  // Sizes on both sides of the inline storage.
  for (int size : {0, 1, 2, 3, 40}) {
    SCOPED_TRACE(size);
    Values expected;
    LinkList original;
    for (int i = 0; i < size; ++i) {
      ListAppend(original, 10 + i);
      expected.push_back(10 + i);
    }

    LinkList copy(original);
    ListAppend(copy, -1);
    EXPECT_EQ(Entries(original), expected);
    Values withExtra = expected;
    withExtra.push_back(-1);
    EXPECT_EQ(Entries(copy), withExtra);

    LinkList assigned = MakeList({7, 8, 9, 10});
    assigned = original;
    const LinkList& alias = assigned;
    assigned = alias;
    EXPECT_EQ(Entries(assigned), expected);
    ListRemove(assigned, 10);
    EXPECT_EQ(Entries(original), expected);

    LinkList moved(std::move(copy));
    EXPECT_EQ(Entries(moved), withExtra);
    EXPECT_TRUE(copy.Empty());  // NOLINT(bugprone-use-after-move): the state is defined
    ListAppend(copy, 5);        // a moved-from list is usable again
    EXPECT_EQ(Entries(copy), (Values{5}));

    LinkList target = MakeList({1, 2, 3});
    target = std::move(moved);
    EXPECT_EQ(Entries(target), withExtra);
    ListAppend(target, 99);
    EXPECT_EQ(target.Count(), size + 2);
  }
}

TEST(LinkList, RemoveDoesNotExamineTheEntryThatMovesIntoARemovedPlace) {
  struct Case {
    Values before;
    std::int32_t value;
    Values after;
  };
  const Case cases[] = {
      {{5, 5, 7}, 5, {5, 7}},  // of two equal neighbours only the first goes
      {{5, 7, 5}, 5, {7}},
      {{5, 5, 5, 5}, 5, {5, 5}},
      {{7, 5, 5}, 5, {7, 5}},
      {{1, 2, 3, 4, 5, 5, 6}, 5, {1, 2, 3, 4, 5, 6}},
      {{1, 2, 3}, 4, {1, 2, 3}},
      {{5}, 5, {}},
      {{}, 5, {}},
  };
  for (const Case& c : cases) {
    LinkList list;
    for (std::int32_t value : c.before) ListAppend(list, value);
    ListRemove(list, c.value);
    EXPECT_EQ(Entries(list), c.after) << ::testing::PrintToString(c.before);
    EXPECT_EQ(list.Count(), static_cast<int>(c.after.size()));
  }
}

TEST(LinkList, BadIndexIsReportedAndReadsTheFirstEntryOrWritesNothing) {
  ScriptedUi ui;
  Diagnostics diagnostics(ui);
  const LinkList list = MakeList({4, 8});
  const LinkList empty;

  EXPECT_EQ(list.At(1), 8);
  EXPECT_TRUE(ui.Boxes().empty());
  EXPECT_EQ(list.At(2), 4);
  EXPECT_EQ(list.At(-1), 4);
  EXPECT_EQ(empty.At(0), 0);

  ASSERT_EQ(ui.Boxes().size(), 3u);
  EXPECT_EQ(ui.Boxes()[0].text, "Error: [2] 2");
  EXPECT_EQ(ui.Boxes()[1].text, "Error: [-1] 2");
  EXPECT_EQ(ui.Boxes()[2].text, "Error: [0] 0");
  EXPECT_EQ(ui.Boxes()[0].title, "FEHLER");

  // Set is bounds-tested the same way and then changes nothing.
  LinkList changed = MakeList({4, 8});
  changed.Set(1, 9);
  changed.Set(2, 5);
  changed.Set(-1, 5);
  EXPECT_EQ(Entries(changed), (Values{4, 9}));
  ASSERT_EQ(ui.Boxes().size(), 5u);
  EXPECT_EQ(ui.Boxes()[3].text, "Error: [2] 2");
  EXPECT_EQ(ui.Boxes()[4].text, "Error: [-1] 2");
  ui.ClearBoxes();

  // While a second Diagnostics lives its box reports; afterwards the first one again.
  {
    ScriptedUi inner;
    Diagnostics nested(inner);
    EXPECT_EQ(list.At(5), 4);
    EXPECT_EQ(inner.Boxes().size(), 1u);
  }
  EXPECT_EQ(list.At(7), 4);
  ASSERT_EQ(ui.Boxes().size(), 1u);
  EXPECT_EQ(ui.Boxes()[0].text, "Error: [7] 2");
}

}  // namespace
}  // namespace korvane
