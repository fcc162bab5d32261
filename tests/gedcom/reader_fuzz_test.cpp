// Bad input of every kind must load or fail cleanly: no crash, no hang, nothing written
// outside a table (the sanitizer build checks the last).

#include <gtest/gtest.h>

#include <random>
#include <string>

#include "gedcom_test_util.h"
#include "store/accessors.h"

namespace korvane::gedcom_test {
namespace {

using namespace std::string_literals;

const std::string kFamily = Ged(
    "0 HEAD|1 CHAR UTF-8|0 @I1@ INDI|1 NAME Hans /M\xC3\xBCller/|1 SEX M|1 BIRT|2 DATE 3 MAY 1852|"
    "2 PLAC Weimar|1 FAMS @F1@|0 @I2@ INDI|1 NAME Eva /Alt/|1 SEX F|1 FAMS @F1@|1 DEAT|"
    "2 DATE ABT 1900|0 @I3@ INDI|1 NAME Kurt /M\xC3\xBCller/|1 FAMC @F1@|0 @F1@ FAM|1 HUSB @I1@|"
    "1 WIFE @I2@|1 CHIL @I3@|1 MARR|2 DATE 1875|2 PLAC Jena|1 DIV Y|0 @S1@ SOUR|0 TRLR");

// Loads the bytes as a file and checks what must hold after any load: the husband of every
// family that survived the repair is a present person. (Not so the wife: a missing husband
// ends the family's checks before she is looked at.)
void ExpectCleanLoad(Loader& loader, std::string_view bytes) {
  const bool loaded = loader.LoadText(bytes);
  for (const auto& box : loader.ui.Boxes()) EXPECT_EQ(box.title, "FEHLER");
  EXPECT_TRUE(loaded || loader.store.PersonCount() == 0);
  if (!loaded) return;
  EXPECT_GT(loader.file.counts.indiRecords, 0);
  for (Mrin mrin = 1; mrin <= loader.store.FamilyCount(); ++mrin) {
    if (!FamilyExists(loader.store, mrin)) continue;
    const Rin husband = loader.F(mrin).husband;
    EXPECT_TRUE(husband == 0 || PersonExists(loader.store, husband)) << mrin << " " << husband;
  }
}

// A seeded mutator in place of a fuzzing engine: the same inputs on every run, so a
// failure replays as it was found.
std::string Mutate(std::string data, std::mt19937& random) {
  // Short slices of this are inserted; NUL bytes come with the random bytes.
  static const std::string kPieces =
      "@I1@ @F1@ 0 1 \r\n/\xC3\xFF\xFE\xD8 9-" +
      Ged("1 FAMS @F1@|1 CHIL @I2@|0 @I9@ INDI|0 @F2@ FAM|1 HUSB @I7@|1 FAMC @F1@");
  const auto below = [&random](std::size_t n) { return n == 0 ? 0 : random() % n; };
  for (std::size_t steps = 1 + below(8); steps > 0; --steps) {
    const std::size_t at = below(data.size() + 1), kind = below(5);
    if (kind == 0 && at < data.size()) data[at] = static_cast<char>(random());
    if (kind == 1) data.insert(at, kPieces.substr(below(kPieces.size()), 1 + below(16)));
    if (kind == 2) data.erase(at, below(16));
    if (kind == 3) data.insert(at, data.substr(at, below(64)));  // doubles lines and records
    if (kind == 4) data.resize(at);
  }
  return data;
}

TEST(ReaderRobustness, BadAndMutatedFilesLoadOrFailCleanly) {
  const std::string megabyte(1 << 20, '7');
  std::mt19937 random(1252);
  std::string garbage(64 * 1024, '\0');
  for (char& ch : garbage) ch = static_cast<char>(random());
  const std::string inputs[] = {
      "", "0 HEAD", "\xEF\xBB\xBF", "\xFF\xFE", "\xFE\xFF\0"s, garbage, "0 @I1@ INDI\r\n" + garbage,
      // Lines of a megabyte, also in a cross-reference.
      Ged("0 @I1@ INDI|1 NAME " + megabyte + " /" + megabyte + "/|1 BIRT|2 PLAC " + megabyte +
          "|2 DATE " + megabyte),
      Ged("0 @I" + megabyte + "@ INDI|0 @" + std::string(1 << 20, 'X') + "@ INDI|1 FAMS @F" +
          megabyte + "@"),
      // Odd levels and lines cut short.
      Ged("0 @I1@ INDI|99999999999999999999 NAME Tief /Ebene/|10 NAME x|-1 NAME y|1|1 |0|0 @|"
          "0 @@ INDI|0 @I1@|1 FAMS|1 FAMS @|1 FAMS @@"),
      // Negative and huge numbers.
      Ged("0 @I-1@ INDI|1 FAMS @F-1@|0 @I2147483648@ INDI|1 FAMC @F2147483647@|"
          "0 @I-2147483648@ INDI|0 @F99999999999999999999@ FAM|1 HUSB @I-1@|"
          "1 WIFE @I2147483648@|1 CHIL @I-2147483648@|1 CHIL @I4294967297@"),
      Ged("0 @I1@ INDI|1 NAME A\0B /C\0D/|1 SEX \0"s), Utf16Le(kFamily) + "!"};
  Loader loader;
  for (const std::string& input : inputs) {
    SCOPED_TRACE(testing::PrintToString(input.substr(0, 60)));
    ExpectCleanLoad(loader, input);
  }
  // Every third truncation of a file, in three encodings, then mutations of these files.
  const std::string seeds[] = {kFamily, "\xEF\xBB\xBF" + kFamily, Utf16Le(kFamily),
                               Ged("0 @I1@ INDI|1 FAMS @F1@|0 @F1@ FAM|1 CHIL @I1@|1 CHIL @I1@")};
  for (const std::string& file : seeds) {
    for (std::size_t length = 0; length <= file.size(); length += 3) {
      SCOPED_TRACE(length);
      ExpectCleanLoad(loader, std::string_view(file).substr(0, length));
    }
  }
  std::mt19937 mutations(20261205);
  for (int i = 0; i < 1500 && !HasFailure(); ++i) {
    const std::string input = Mutate(seeds[i % std::size(seeds)], mutations);
    SCOPED_TRACE(testing::Message() << "mutation " << i << ": " << testing::PrintToString(input));
    ExpectCleanLoad(loader, input);
  }
}

}  // namespace
}  // namespace korvane::gedcom_test
