#include "store/string_index.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

namespace korvane {
namespace {

using std::string_view_literals::operator""sv;
using Inserted = std::pair<int, bool>;

TEST(StringIndex, GivesDenseIdsInInsertionOrderAndFindsThemAgain) {
  StringIndex index;
  EXPECT_EQ(index.Find("Ulm"), -1);
  EXPECT_EQ(index.Insert("Ulm"), (Inserted{0, true}));
  EXPECT_EQ(index.Insert("Wien"), (Inserted{1, true}));
  EXPECT_EQ(index.Insert("Ulm"), (Inserted{0, false}));
  EXPECT_EQ(index.Insert(""), (Inserted{2, true}));
  EXPECT_EQ(index.Insert("a\0b"sv), (Inserted{3, true}));  // lengths count, not terminators
  // Two texts of equal length and equal hash are still two texts.
  ASSERT_EQ(MurmurHash3("Ort 0081803", 4711), MurmurHash3("Ort 0183008", 4711));
  EXPECT_EQ(index.Insert("Ort 0081803"), (Inserted{4, true}));
  EXPECT_EQ(index.Insert("Ort 0183008"), (Inserted{5, true}));
  EXPECT_EQ(index.Size(), 6);

  EXPECT_EQ(index.Find("Wien"), 1);
  EXPECT_EQ(index.Find(""), 2);
  EXPECT_EQ(index.Find("Ort 0183008"), 5);
  for (std::string_view absent : {"ulm"sv, "Ul"sv, "Ulm "sv, "a"sv}) {
    EXPECT_EQ(index.Find(absent), -1) << absent;
  }
  EXPECT_EQ(index.At(0), "Ulm");
  EXPECT_EQ(index.At(0).data()[3], '\0');
  EXPECT_EQ(index.At(3), "a\0b"sv);
  EXPECT_EQ(index.At(5), "Ort 0183008");
}

}  // namespace
}  // namespace korvane

namespace korvane {
namespace {

TEST(StringIndex, AMovedFromIndexIsEmptyAndUsable) {
  StringIndex a;
  a.Insert("Berlin");
  StringIndex b(std::move(a));
  EXPECT_EQ(b.Find("Berlin"), 0);
  EXPECT_EQ(a.Size(), 0);  // NOLINT(bugprone-use-after-move): moved-from state is specified
  EXPECT_EQ(a.Find("Berlin"), -1);
  EXPECT_EQ(a.Insert("Ulm").first, 0);
  a = std::move(b);
  EXPECT_EQ(a.Find("Berlin"), 0);
  EXPECT_EQ(b.Find("Berlin"), -1);
}

}  // namespace
}  // namespace korvane
