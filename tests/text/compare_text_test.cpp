#include "text/compare_text.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

int Sign(int value) { return (value > 0) - (value < 0); }

TEST(CompareText, FoldsCaseAndLatin1LettersToTheirBaseLetter) {
  EXPECT_EQ(CompareText("MEIER", "meier", 1000), 0);
  EXPECT_EQ(CompareText("Müller", "Muller", 1000), 0);
  EXPECT_EQ(CompareText("ÄÖÜ", "aou", 1000), 0);
  EXPECT_EQ(CompareText("Ødegård", "ødegard", 1000), 0);
  EXPECT_EQ(CompareText("Çelik", "celik", 1000), 0);
  // "ß" folds to "s", not "ss".
  EXPECT_EQ(CompareText("Straße", "Strase", 1000), 0);
  EXPECT_NE(CompareText("Straße", "Strasse", 1000), 0);
  EXPECT_EQ(CompareText("×", "x", 1000), 0);
  // Ø and ÷ fold to the values of "0" and "/" themselves, which an ASCII digit or slash
  // does not keep (it moves up by 0x20 like everything below 'a').
  EXPECT_NE(CompareText("÷", "/", 1000), 0);
}

TEST(CompareText, ResultIsTheDifferenceOfTheFirstUnequalFoldedPair) {
  EXPECT_EQ(CompareText("b", "a", 1000), 1);
  EXPECT_EQ(CompareText("a", "c", 1000), -2);
  // A space folds to 0x40 and sorts before letters; digits fold below letters too.
  EXPECT_LT(CompareText("Anna Maria", "Annamaria", 1000), 0);
  EXPECT_LT(CompareText("1850", "Abel", 1000), 0);
}

TEST(CompareText, TheTerminatorFoldsBelowEveryCharacter) {
  EXPECT_EQ(CompareText("Berlin", "Berlin", 1000), 0);
  EXPECT_EQ(CompareText("Berg", "Berger", 1000), 0x20 - 'e');
  EXPECT_GT(CompareText("Berger", "Berg", 1000), 0);
  EXPECT_GT(CompareText("a", "", 1000), 0);
  EXPECT_EQ(CompareText("", "", 1000), 0);
  EXPECT_EQ(CompareText(nullptr, "", 1000), 0);
  EXPECT_LT(CompareText(nullptr, "a", 1000), 0);
}

TEST(CompareText, StopsAfterTheLimit) {
  EXPECT_EQ(CompareText("Schmidt", "Schmied", 4), 0);
  EXPECT_NE(CompareText("Schmidt", "Schmied", 6), 0);
  // Counts characters, not bytes: "ü" is one step.
  EXPECT_EQ(CompareText("Müller", "Muxxxx", 2), 0);
  EXPECT_NE(CompareText("Müller", "Muxxxx", 3), 0);
  EXPECT_EQ(CompareText("a", "b", 0), 0);
}

TEST(CompareText, CharactersAboveLatin1CompareByCodePoint) {
  // Cyrillic and Greek are greater than any folded Latin-1 character.
  EXPECT_GT(CompareText("Иванов", "Zander", 1000), 0);
  EXPECT_EQ(Sign(CompareText("Б", "А", 1000)), 1);
  EXPECT_EQ(CompareText("Ω", "Ω", 1000), 0);
  EXPECT_NE(CompareText("Ω", "ω", 1000), 0);  // no case folding above U+00FF
  EXPECT_EQ(static_cast<int>(FoldChar(U'Ω')), 0x3A9);
}

TEST(CompareText, InvalidUtf8BytesCompareAsTheirCodePage1252Characters) {
  // A lone 0xE4 byte is "ä" in code page 1252 and folds like the UTF-8 "ä".
  EXPECT_EQ(CompareText("M\xE4ller", "Mäller", 1000), 0);
  EXPECT_EQ(CompareText("\xC3", "Ã", 1000), 0);  // truncated sequence at the end
  // 0x80 is the euro sign: above Latin-1, equal to the UTF-8 euro sign.
  EXPECT_EQ(CompareText("\x80", "€", 1000), 0);
}

TEST(FoldChar, MatchesTheByteRulesUpToU00FF) {
  EXPECT_EQ(FoldChar(0), 0x20u);
  EXPECT_EQ(FoldChar(' '), 0x40u);
  EXPECT_EQ(FoldChar('A'), static_cast<char32_t>('a'));
  EXPECT_EQ(FoldChar('a'), static_cast<char32_t>('a'));
  EXPECT_EQ(FoldChar(0xBF), 0xBFu);
  EXPECT_EQ(FoldChar(0xC0), static_cast<char32_t>('a'));
  EXPECT_EQ(FoldChar(0xD7), static_cast<char32_t>('x'));
  EXPECT_EQ(FoldChar(0xDF), static_cast<char32_t>('s'));
  EXPECT_EQ(FoldChar(0xF0), static_cast<char32_t>('O'));
  EXPECT_EQ(FoldChar(0xF7), static_cast<char32_t>('/'));
  EXPECT_EQ(FoldChar(0xFF), static_cast<char32_t>('y'));
}

}  // namespace
}  // namespace korvane
