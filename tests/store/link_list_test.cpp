#include "store/link_list.h"

#include <gtest/gtest.h>

#include <memory>
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

TEST(LinkList, AppendsWithoutLengthLimitAndFindsEntries) {
  LinkList list;
  EXPECT_TRUE(list.Empty());
  EXPECT_FALSE(ListContains(list, 0));  // an empty list holds nothing, not even "none"
  for (std::int32_t value : {3, 1, 3, -2}) ListAppend(list, value);
  EXPECT_EQ(Entries(list), (Values{3, 1, 3, -2}));
  EXPECT_TRUE(ListContains(list, -2));
  EXPECT_FALSE(ListContains(list, 2));

  // A family with more than 127 children must not lose any.
  LinkList children;
  for (int i = 1; i <= 1000; ++i) ListAppend(children, i);
  ASSERT_EQ(children.Count(), 1000);
  for (int i = 0; i < 1000; ++i) ASSERT_EQ(children.At(i), i + 1);
  EXPECT_TRUE(ListContains(children, 1000));
}

TEST(LinkList, CopiesAreIndependentAndMovesHandOverTheEntries) {
  for (int size : {0, 1, 2, 3, 40}) {  // both sides of the inline storage
    SCOPED_TRACE(size);
    Values expected;
    for (int i = 0; i < size; ++i) expected.push_back(10 + i);
    LinkList original;
    for (std::int32_t value : expected) ListAppend(original, value);

    LinkList copy(original);
    ListAppend(copy, -1);
    LinkList assigned = MakeList({7, 8, 9, 10});
    assigned = original;
    const LinkList& alias = assigned;
    assigned = alias;
    ListRemove(assigned, 10);
    EXPECT_EQ(Entries(original), expected);
    Values withExtra = expected;
    withExtra.push_back(-1);
    EXPECT_EQ(Entries(copy), withExtra);

    LinkList moved(std::move(copy));
    EXPECT_EQ(Entries(moved), withExtra);
    EXPECT_TRUE(copy.Empty());  // NOLINT(bugprone-use-after-move): defined to be empty
    ListAppend(copy, 5);        // and usable again
    EXPECT_EQ(Entries(copy), (Values{5}));
    LinkList target = MakeList({1, 2, 3});
    target = std::move(moved);
    ListAppend(target, 99);
    withExtra.push_back(99);
    EXPECT_EQ(Entries(target), withExtra);
  }
}

TEST(LinkList, RemoveDoesNotExamineTheEntryThatMovesIntoARemovedPlace) {
  struct Case {
    Values before;
    Values after;
  };
  const Case cases[] = {
      {{5, 5, 7}, {5, 7}},  // of two equal neighbours only the first goes
      {{5, 7, 5}, {7}},
      {{5, 5, 5, 5}, {5, 5}},
      {{7, 5, 5}, {7, 5}},
      {{1, 2, 3, 4, 5, 5, 6}, {1, 2, 3, 4, 5, 6}},
      {{1, 2, 3}, {1, 2, 3}},
      {{5}, {}},
      {{}, {}},
  };
  for (const Case& c : cases) {
    LinkList list;
    for (std::int32_t value : c.before) ListAppend(list, value);
    ListRemove(list, 5);
    EXPECT_EQ(Entries(list), c.after) << ::testing::PrintToString(c.before);
  }
}

TEST(LinkList, BadIndexIsReportedAndReadsTheFirstEntryOrWritesNothing) {
  ScriptedUi ui;
  Diagnostics diagnostics(ui);
  LinkList list = MakeList({4, 8});
  EXPECT_EQ(list.At(1), 8);
  EXPECT_TRUE(ui.Boxes().empty());
  EXPECT_EQ(list.At(2), 4);
  EXPECT_EQ(list.At(-1), 4);
  EXPECT_EQ(LinkList().At(0), 0);
  list.Set(1, 9);
  list.Set(2, 5);
  EXPECT_EQ(Entries(list), (Values{4, 9}));

  ASSERT_EQ(ui.Boxes().size(), 4u);
  EXPECT_EQ(ui.Boxes()[0].title, "FEHLER");
  EXPECT_EQ(ui.Boxes()[0].text, "Error: [2] 2");
  EXPECT_EQ(ui.Boxes()[1].text, "Error: [-1] 2");
  EXPECT_EQ(ui.Boxes()[2].text, "Error: [0] 0");
  EXPECT_EQ(ui.Boxes()[3].text, "Error: [2] 2");

  // While a second Diagnostics lives its box reports; afterwards the first one again.
  {
    ScriptedUi inner;
    Diagnostics nested(inner);
    list.At(5);
    EXPECT_EQ(inner.Boxes().size(), 1u);
  }
  list.At(7);
  ASSERT_EQ(ui.Boxes().size(), 5u);
  EXPECT_EQ(ui.Boxes()[4].text, "Error: [7] 2");
}

}  // namespace
}  // namespace korvane

namespace korvane {
namespace {

TEST(LinkList, FaultsGoToTheNewestLivingDiagnosticsWhateverOrderTheyEndIn) {
  const LinkList empty;
  ScriptedUi first, second;
  auto a = std::make_unique<Diagnostics>(first);
  auto b = std::make_unique<Diagnostics>(second);
  a.reset();  // ends before the one created after it
  empty.At(3);
  EXPECT_EQ(second.Boxes().size(), 1u);
  b.reset();
  empty.At(4);  // nobody left: printed, and nothing freed is touched
  EXPECT_EQ(first.Boxes().size(), 0u);
  EXPECT_EQ(second.Boxes().size(), 1u);
}

}  // namespace
}  // namespace korvane
