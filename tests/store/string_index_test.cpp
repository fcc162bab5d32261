#include "store/string_index.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

namespace korvane {
namespace {

using std::string_view_literals::operator""sv;
using Inserted = std::pair<int, bool>;

TEST(StringIndex, GivesDenseIdsInInsertionOrderAndFindsThemAgain) {
  StringIndex index;
  EXPECT_EQ(index.Size(), 0);
  EXPECT_EQ(index.Find("Ulm"), -1);
  EXPECT_EQ(index.Insert("Ulm"), (Inserted{0, true}));
  EXPECT_EQ(index.Insert("Wien"), (Inserted{1, true}));
  EXPECT_EQ(index.Insert("Ulm"), (Inserted{0, false}));
  EXPECT_EQ(index.Insert(""), (Inserted{2, true}));
  EXPECT_EQ(index.Insert("a\0b"sv), (Inserted{3, true}));  // lengths count, not terminators
  EXPECT_EQ(index.Size(), 4);

  EXPECT_EQ(index.Find("Wien"), 1);
  EXPECT_EQ(index.Find(""), 2);
  EXPECT_EQ(index.Find("a\0b"sv), 3);
  for (std::string_view absent : {"ulm"sv, "Ul"sv, "Ulm "sv, "a"sv, "Wie"sv}) {
    EXPECT_EQ(index.Find(absent), -1) << absent;
  }
  EXPECT_EQ(index.At(0), "Ulm");
  EXPECT_EQ(index.At(0).data()[3], '\0');
  EXPECT_EQ(index.At(3), "a\0b"sv);
}

TEST(StringIndex, TellsApartTextsOfEqualHashAndLength) {
  ASSERT_EQ(MurmurHash3("Ort 0081803", 4711), MurmurHash3("Ort 0183008", 4711));
  StringIndex index;
  EXPECT_EQ(index.Insert("Ort 0081803"), (Inserted{0, true}));
  EXPECT_EQ(index.Insert("Ort 0183008"), (Inserted{1, true}));
  EXPECT_EQ(index.Find("Ort 0183008"), 1);
  EXPECT_EQ(index.At(1), "Ort 0183008");
}

TEST(StringIndex, KeepsEveryStringAtItsAddressWhileGrowing) {
  StringIndex index;
  std::vector<std::string> texts;
  std::vector<const char*> addresses;
  for (int i = 0; i < 60'000; ++i) {
    // Now and then a text longer than a storage block.
    texts.push_back(i % 5'000 == 17 ? std::string(100'000 + i, 'L') : "Name " + std::to_string(i));
    const auto [id, added] = index.Insert(texts.back());
    ASSERT_EQ(id, i);
    ASSERT_TRUE(added);
    addresses.push_back(index.At(id).data());
  }
  for (int id = 0; id < static_cast<int>(texts.size()); ++id) {
    ASSERT_EQ(index.At(id).data(), addresses[id]);
    ASSERT_EQ(index.At(id), texts[id]);
    ASSERT_EQ(addresses[id][texts[id].size()], '\0');
    ASSERT_EQ(index.Find(texts[id]), id);
    ASSERT_EQ(index.Insert(texts[id]), (Inserted{id, false}));
  }
}

TEST(StringIndex, MoveHandsOverTheStoredStrings) {
  StringIndex first;
  first.Insert("Ulm");
  const char* address = first.At(0).data();
  StringIndex second(std::move(first));
  EXPECT_EQ(second.Find("Ulm"), 0);
  EXPECT_EQ(second.At(0).data(), address);
  EXPECT_EQ(second.Insert("Wien"), (Inserted{1, true}));
  StringIndex third;
  third = std::move(second);
  EXPECT_EQ(third.Find("Wien"), 1);
  EXPECT_EQ(third.At(0).data(), address);
}

TEST(MurmurHash3, MatchesTheReferenceX86Variant) {
  struct Case {
    std::string_view data;
    std::uint32_t seed;
    std::uint32_t hash;
  };
  const Case cases[] = {
      {"", 0, 0},
      {"", 1, 0x514E28B7},
      {"", 0xFFFFFFFF, 0x81F16F39},
      {"\0\0\0\0"sv, 0, 0x2362F9DE},
      {"aaaa", 0x9747B28C, 0x5A97808A},
      {"abc", 0, 0xB3DD93FA},
      {"Hello, world!", 0x9747B28C, 0x24884CBA},
      {"The quick brown fox jumps over the lazy dog", 0x9747B28C, 0x2FA826CD},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(MurmurHash3(c.data, c.seed), c.hash) << ::testing::PrintToString(std::string(c.data));
  }
}

}  // namespace
}  // namespace korvane
