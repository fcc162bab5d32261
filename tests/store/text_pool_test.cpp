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
      {"A\0B"sv, "A"},
  };
  for (const Case& c : cases) {
    EXPECT_STREQ(pool.Intern(TextPoolId::Places, c.input), c.stored);
  }
  EXPECT_EQ(pool.TextCount(), 7u);

  for (std::string_view empty : {""sv, "\r\n"sv, "\n"sv, "   "sv, "!&'"sv}) {
    EXPECT_EQ(pool.Intern(TextPoolId::Surnames, empty), EmptyText)
        << ::testing::PrintToString(std::string(empty));
  }
  EXPECT_EQ(pool.TextCount(), 7u);
}

TEST(TextPool, ANulEndsTheTextWhereverItStands) {
  TextPool pool;
  EXPECT_STREQ(pool.Intern(TextPoolId::Places, "Ulm\0Wien"sv), "Ulm");
  EXPECT_EQ(pool.Intern(TextPoolId::Places, "\0Berlin"sv), EmptyText);
  EXPECT_EQ(pool.Intern(TextPoolId::Places, " \x01\0Berlin"sv), EmptyText);
  EXPECT_EQ(pool.TextCount(), 1u);
}

TEST(TextPool, EqualTextsShareOneStoredCopy) {
  TextPool pool;
  const char* maier = pool.Intern(TextPoolId::Surnames, "Maier");
  EXPECT_EQ(pool.Intern(TextPoolId::Surnames, "  Maier\r\n"), maier);
  const char* huber = pool.Intern(TextPoolId::Surnames, "Huber");
  EXPECT_NE(huber, maier);
  EXPECT_EQ(pool.Intern(TextPoolId::Surnames, "Maier"), maier);  // not only the latest text
  EXPECT_EQ(pool.Intern(TextPoolId::Places, "Maier"), maier);    // across pools too
  EXPECT_EQ(pool.Intern(TextPoolId::GivenNames, "Huber"), huber);
  EXPECT_NE(pool.Intern(TextPoolId::Surnames, "maier"), maier);   // case counts
  EXPECT_NE(pool.Intern(TextPoolId::Surnames, "Maier "), maier);  // a trailing blank counts
  EXPECT_NE(pool.Intern(TextPoolId::Surnames, "Maie"), maier);
  EXPECT_EQ(pool.TextCount(), 5u);
  EXPECT_EQ(InternText(pool, TextPoolId::Surnames, "Huber"), huber);
}

TEST(TextPool, FindsEveryTextAgainAmongTensOfThousands) {
  // More texts than a fixed 15-bit index has slots, so collisions are certain; every text
  // must still be stored once and found again, and stored texts must not move.
  TextPool pool;
  constexpr int kTexts = 50'000;
  std::vector<std::pair<std::string, const char*>> stored;
  stored.reserve(kTexts);
  for (int i = 0; i < kTexts; ++i) {
    std::string text = "Ort " + std::to_string(i * 7919 % 100'003);
    const char* pointer = pool.Intern(TextPoolId::Places, text);
    stored.emplace_back(std::move(text), pointer);
  }
  std::set<const char*> distinct;
  for (const auto& [text, pointer] : stored) {
    ASSERT_STREQ(pointer, text.c_str());
    ASSERT_EQ(pool.Intern(TextPoolId::Places, text), pointer) << text;
    ASSERT_EQ(pool.Intern(TextPoolId::Surnames, text), pointer) << text;
    distinct.insert(pointer);
  }
  EXPECT_EQ(distinct.size(), static_cast<std::size_t>(kTexts));
  EXPECT_EQ(pool.TextCount(), static_cast<std::size_t>(kTexts));
}

TEST(TextPool, StoresAVeryLongTextWhole) {
  TextPool pool;
  std::string text(1 << 20, 'x');
  text.back() = 'y';
  const char* stored = pool.Intern(TextPoolId::Places, text);
  ASSERT_EQ(std::strlen(stored), text.size());
  EXPECT_EQ(stored, text);
  const char* small = pool.Intern(TextPoolId::Places, "Ulm");
  EXPECT_EQ(pool.Intern(TextPoolId::Places, text), stored);
  text.back() = 'z';
  const char* other = pool.Intern(TextPoolId::Places, text);
  EXPECT_NE(other, stored);
  EXPECT_EQ(other, text);
  EXPECT_EQ(pool.Intern(TextPoolId::Places, "Ulm"), small);
  EXPECT_STREQ(small, "Ulm");
}

}  // namespace
}  // namespace korvane
