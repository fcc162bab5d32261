#include "store/text_pool.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <utility>
#include <vector>

namespace korvane {
namespace {

using std::string_view_literals::operator""sv;

TEST(TextPool, CleansLeadingControlsAndCutsAtTheLineEnd) {
  TextPool pool;
  struct Case {
    std::string_view input;
    const char* stored;
  };
  const Case cases[] = {
      {"  Berlin\r\n", "Berlin"},
      {"\t\x01!\"#$%&'(Ulm)", "(Ulm)"},  // everything below '(' is skipped
      {"Ulm  ", "Ulm  "},                // trailing blanks stay
      {"Bad T\xC3\xB6lz\nzweite Zeile", "Bad T\xC3\xB6lz"},
      {"K\xC3\xB6ln\rX", "K\xC3\xB6ln"},
      {" \xC3\x84hren", "\xC3\x84hren"},  // bytes from 0x80 up are text, not controls
      {"Ulm\0Wien"sv, "Ulm"},             // a NUL ends the text
  };
  for (const Case& c : cases) EXPECT_STREQ(pool.Intern(TextPoolId::Places, c.input), c.stored);
  for (std::string_view empty : {""sv, "\r\n"sv, "\n"sv, "   "sv, "!&'"sv, " \x01\0Ulm"sv}) {
    EXPECT_EQ(pool.Intern(TextPoolId::Surnames, empty), EmptyText)
        << ::testing::PrintToString(std::string(empty));
  }
  EXPECT_EQ(pool.TextCount(), 7u);
}

TEST(TextPool, EqualTextsShareOneStoredCopyAcrossPools) {
  TextPool pool;
  const char* maier = pool.Intern(TextPoolId::Surnames, "Maier");
  EXPECT_EQ(pool.Intern(TextPoolId::Surnames, "  Maier\r\n"), maier);
  const char* huber = pool.Intern(TextPoolId::Surnames, "Huber");
  EXPECT_EQ(pool.Intern(TextPoolId::Surnames, "Maier"), maier);  // not only the latest text
  EXPECT_EQ(pool.Intern(TextPoolId::Places, "Maier"), maier);
  EXPECT_EQ(InternText(pool, TextPoolId::GivenNames, "Huber"), huber);
  for (const char* other : {"maier", "Maier ", "Maie"}) {
    EXPECT_NE(pool.Intern(TextPoolId::Surnames, other), maier) << other;
  }
  EXPECT_EQ(pool.TextCount(), 5u);
}

TEST(TextPool, FindsEveryTextAgainAmongTensOfThousandsAndKeepsThemInPlace) {
  // More texts than a fixed 15-bit index has slots, so collisions are certain; the long
  // ones do not fit a storage block.
  TextPool pool;
  std::vector<std::pair<std::string, const char*>> stored;
  for (int i = 0; i < 50'000; ++i) {
    std::string text = i % 10'000 == 7 ? std::string(1 << 20, static_cast<char>('a' + i % 26))
                                       : "Ort " + std::to_string(i * 7919 % 100'003);
    const char* pointer = pool.Intern(TextPoolId::Places, text);
    stored.emplace_back(std::move(text), pointer);
  }
  std::set<const char*> distinct;
  for (const auto& [text, pointer] : stored) {
    ASSERT_EQ(std::strlen(pointer), text.size());
    ASSERT_EQ(pointer, text);
    ASSERT_EQ(pool.Intern(TextPoolId::Places, text), pointer);
    ASSERT_EQ(pool.Intern(TextPoolId::Surnames, text), pointer);
    distinct.insert(pointer);
  }
  EXPECT_EQ(distinct.size(), stored.size());
  EXPECT_EQ(pool.TextCount(), stored.size());
}

}  // namespace
}  // namespace korvane
