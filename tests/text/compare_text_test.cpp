#include "text/compare_text.h"

#include <gtest/gtest.h>

namespace korvane {
namespace {

TEST(CompareText, FoldsCaseAndLatin1LettersToTheirBaseLetter) {
  EXPECT_EQ(CompareText("MEIER", "meier", 1000), 0);
  EXPECT_EQ(CompareText("ÄÖÜ Ødegård Çelik ×", "aou ødegard celik x", 1000), 0);
  EXPECT_EQ(CompareText("Straße", "Strase", 1000), 0);  // "ß" folds to "s", not "ss"
  EXPECT_NE(CompareText("Straße", "Strasse", 1000), 0);
  // "÷" folds to the value of "/" itself, which the ASCII slash does not keep (it moves up
  // by 0x20 like everything below 'a').
  EXPECT_NE(CompareText("÷", "/", 1000), 0);
  EXPECT_EQ(CompareText("M\xE4ller", "Mäller", 1000), 0);  // a lone byte is code page 1252
  EXPECT_EQ(FoldChar(0), 0x20u);
  EXPECT_EQ(FoldChar(' '), 0x40u);
  EXPECT_EQ(FoldChar(0xBF), 0xBFu);  // from 'a' to U+00BF characters stay
  EXPECT_EQ(FoldChar(0xF0), U'O');
  EXPECT_EQ(FoldChar(0xFF), U'y');
}

TEST(CompareText, ResultIsTheFirstFoldedDifferenceWithTheTerminatorBelowEveryCharacter) {
  EXPECT_EQ(CompareText("b", "a", 1000), 1);
  EXPECT_EQ(CompareText("a", "c", 1000), -2);
  EXPECT_LT(CompareText("Anna Maria", "Annamaria", 1000), 0);  // a space folds to 0x40
  EXPECT_EQ(CompareText("Berg", "Berger", 1000), 0x20 - 'e');  // the terminator folds to 0x20
  EXPECT_GT(CompareText("a", "", 1000), 0);
  EXPECT_EQ(CompareText(nullptr, "", 1000), 0);
  EXPECT_LT(CompareText(nullptr, "a", 1000), 0);
  EXPECT_EQ(CompareText("Schmidt", "Schmied", 4), 0);  // stops after the limit
  EXPECT_EQ(CompareText("Müller", "Muxxxx", 2), 0);    // counted in characters, not bytes
  EXPECT_NE(CompareText("Müller", "Muxxxx", 3), 0);
}

TEST(CompareText, CharactersAboveLatin1CompareByCodePoint) {
  EXPECT_GT(CompareText("Иванов", "Zander", 1000), 0);
  EXPECT_EQ(CompareText("Б", "А", 1000), 1);
  EXPECT_NE(CompareText("Ω", "ω", 1000), 0);  // no case folding above U+00FF
  EXPECT_EQ(FoldChar(U'Ω'), U'Ω');
  EXPECT_EQ(CompareText("\x80", "€", 1000), 0);  // the lone byte 0x80 is the euro sign
}

}  // namespace
}  // namespace korvane
