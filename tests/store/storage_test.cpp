// The containers records are made of: link lists, the string index and the text pool.
#include <gtest/gtest.h>

#include <memory>
#include <numeric>
#include <string>
#include <utility>
#include <vector>

#include "platform/scripted_ui.h"
#include "store/diagnostics.h"
#include "store/link_list.h"
#include "store/string_index.h"
#include "store/text_pool.h"

namespace korvane {
namespace {

using std::string_view_literals::operator""sv;
using Values = std::vector<std::int32_t>;

LinkList MakeList(const Values& values) {
  LinkList list;
  for (std::int32_t value : values) ListAppend(list, value);
  return list;
}

Values Entries(const LinkList& list) { return {list.begin(), list.end()}; }

Values WithoutFives(const Values& values) {
  LinkList list = MakeList(values);
  ListRemove(list, 5);
  return Entries(list);
}

TEST(LinkList, AppendsWithoutLengthLimit) {
  Values values(1000);  // a family with more than 127 children must not lose any
  std::iota(values.begin(), values.end(), 1);
  const LinkList list = MakeList(values);
  EXPECT_EQ(Entries(list), values);
}

TEST(LinkList, RemoveDoesNotExamineTheEntryThatMovesIntoARemovedPlace) {
  EXPECT_EQ(WithoutFives({5, 5, 7}), (Values{5, 7}));  // of equal neighbours only the first goes
  EXPECT_EQ(WithoutFives({5, 7, 5}), (Values{7}));
}

TEST(LinkList, BadIndexesAreReportedToTheNewestLivingHandlerWhateverOrderTheyEndIn) {
  ScriptedUi first, second, third;
  Diagnostics outer(first);
  LinkList list = MakeList({4, 8});
  EXPECT_EQ(list.At(-1), 4);  // the first entry is read instead
  ASSERT_EQ(first.Boxes().size(), 1u);
  EXPECT_EQ(first.Boxes()[0].title, "FEHLER");
  EXPECT_EQ(first.Boxes()[0].text, "Error: [-1] 2");

  auto a = std::make_unique<Diagnostics>(second);
  auto b = std::make_unique<Diagnostics>(third);
  a.reset();  // ends before the one made after it
  list.At(3);
  b.reset();
  list.At(4);  // the outer one again; nothing freed is touched
  EXPECT_EQ(first.Boxes().size(), 2u);
  EXPECT_EQ(second.Boxes().size(), 0u);
  EXPECT_EQ(third.Boxes().size(), 1u);
}

TEST(TextPool, InternsCleanedTextsOnceAndNeverMovesThem) {
  TextPool pool;
  // Everything below '(' is skipped at the start, the rest is cut at a line break or NUL;
  // trailing blanks stay, and bytes from 0x80 up are text.
  EXPECT_STREQ(pool.Intern(TextPoolId::Places, "\t\x01!\"#$%&'(Ulm)  \r\nX"), "(Ulm)  ");
  EXPECT_STREQ(pool.Intern(TextPoolId::Places, " \xC3\x84hren\nzweite Zeile"), "\xC3\x84hren");
  EXPECT_STREQ(pool.Intern(TextPoolId::Places, "Ulm\0Wien"sv), "Ulm");
  EXPECT_EQ(pool.Intern(TextPoolId::Surnames, " \x01\0Ulm"sv), EmptyText);  // the shared one
  const char* maier = pool.Intern(TextPoolId::Surnames, "Maier");
  pool.Intern(TextPoolId::Surnames, "Huber");
  EXPECT_EQ(pool.Intern(TextPoolId::Surnames, "  Maier\r\n"), maier);  // not only the latest
  EXPECT_EQ(InternText(pool, TextPoolId::Places, "Maier"), maier);     // across pools
  EXPECT_STRNE(pool.Intern(TextPoolId::Surnames, "Maie"), maier);
  // A line break or NUL ends a text wherever it stands behind the start.
  for (std::size_t at = 1; at < 20; ++at) {
    for (const char end : {'\0', '\r', '\n'}) {
      std::string text = std::string(20, 'k');
      text[at] = end;
      EXPECT_EQ(CleanPoolText(text), std::string(at, 'k')) << at << " " << int{end};
    }
  }
  // Long texts too are stored once.
  const std::string long1(40, 'x'), long2 = std::string(39, 'x') + 'y';
  const char* stored = pool.Intern(TextPoolId::Places, long1);
  EXPECT_EQ(pool.Intern(TextPoolId::Places, long1), stored);
  EXPECT_EQ(pool.Intern(TextPoolId::Places, long2), pool.Intern(TextPoolId::Places, long2));
  EXPECT_NE(pool.Intern(TextPoolId::Places, long2), stored);
  // Long texts that differ in one byte, that need cleaning, or that clean alike.
  for (std::size_t size = 25; size <= 48; ++size) {
    const std::string base(size, 'p');
    std::string last = base, middle = base;
    last.back() = 'q';
    middle[size / 2] = 'q';
    const char* texts[3] = {pool.Intern(TextPoolId::Places, base),
                            pool.Intern(TextPoolId::Places, last),
                            pool.Intern(TextPoolId::Places, middle)};
    EXPECT_EQ(texts[0], base) << size;
    EXPECT_EQ(texts[1], last) << size;
    EXPECT_EQ(texts[2], middle) << size;
    EXPECT_EQ(pool.Intern(TextPoolId::Places, "  " + base), texts[0]) << size;
    EXPECT_EQ(pool.Intern(TextPoolId::Places, base + "\r\nmore"), texts[0]) << size;
    EXPECT_EQ(pool.Intern(TextPoolId::Places, base + "\r\nmore"), texts[0]) << size;
    EXPECT_EQ(pool.Intern(TextPoolId::Places, last), texts[1]) << size;
    EXPECT_EQ(pool.Intern(TextPoolId::Places, middle), texts[2]) << size;
  }
  // Texts stay in place while the index grows many times, and every one is found again
  // whatever came in between.
  std::vector<const char*> numbers;
  for (int i = 0; i < 40'000; ++i) {
    numbers.push_back(pool.Intern(TextPoolId::Places, std::to_string(i)));
  }
  EXPECT_EQ(pool.Intern(TextPoolId::GivenNames, "Maier"), maier);
  for (int i = 0; i < 40'000; i += 7) {
    ASSERT_EQ(pool.Intern(TextPoolId::Places, std::to_string(i)), numbers[i]) << i;
  }
  EXPECT_EQ(pool.Size(), 8 + 3 * 24 + 40'000);  // the texts above and the numbers
}

TEST(StringIndex, TellsTextsWithEqualHashesApartAndAMovedFromIndexIsEmptyAndUsable) {
  StringIndex a;
  ASSERT_EQ(MurmurHash3("Ort 0081803", 4711), MurmurHash3("Ort 0183008", 4711));
  EXPECT_EQ(a.Insert("Ort 0081803"), std::make_pair(0, true));
  EXPECT_EQ(a.Insert("Ort 0183008"), std::make_pair(1, true));

  StringIndex b(std::move(a));
  EXPECT_EQ(b.Find("Ort 0183008"), 1);
  EXPECT_EQ(a.Size(), 0);  // NOLINT(bugprone-use-after-move): the moved-from state is defined
  EXPECT_EQ(a.Insert("Ulm").first, 0);
  a = std::move(b);
  EXPECT_EQ(a.Find("Ort 0183008"), 1);
  // The assignment leaves nothing of the target's former texts in the source.
  EXPECT_EQ(b.Size(), 0);        // NOLINT(bugprone-use-after-move)
  EXPECT_EQ(b.Find("Ulm"), -1);  // NOLINT(bugprone-use-after-move)
}

}  // namespace
}  // namespace korvane
