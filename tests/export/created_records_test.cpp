// Persons and families made in the program have no lines in the file: the export writes
// them from the tables, and a later export finds them in the file it wrote.
#include <gtest/gtest.h>

#include <algorithm>

#include "common/store_rows.h"
#include "export_test_util.h"
#include "store/link_list.h"

namespace korvane::export_test {
namespace {

// Karl and Anna with their daughter Elise; the family comes last, so that everything
// before it is copied.
const std::string kLoaded =
    Ged("0 HEAD|1 CHAR UTF-8|0 @I1@ INDI|1 NAME Karl /Brandt/|1 SEX M|1 FAMS @F1@|"
        "1 NOTE @N1@|0 @I2@ INDI|1 NAME Anna /Köhler/|1 SEX F|1 FAMS @F1@|"
        "0 @I3@ INDI|1 NAME Elise /Brandt/|1 FAMC @F1@|0 @N1@ NOTE Schmied in Ulm|"
        "0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I2@|1 CHIL @I3@|1 MARR|2 DATE 1875|0 TRLR");

struct Built {
  Rin otto, berta, paul, grete;
  Mrin marriage, foundling;
};

// What the editing commands would make: Otto, a new son of Karl and Anna, marries Berta;
// Paul and Grete, foundlings, are the only members of a family of their own (the load
// would drop one with a single child). Linked both ways.
Built AddRecords(Store& store) {
  TextPool& texts = store.texts;
  auto place = [&](const char* text) { return InternText(texts, TextPoolId::Places, text); };
  auto person = [&](const char* given, const char* surname, char sex) {
    const Rin rin = store.AddPerson();
    Person& p = store.personTable[rin];
    p.givenNames = InternText(texts, TextPoolId::GivenNames, given);
    if (surname != nullptr) p.surname = InternText(texts, TextPoolId::Surnames, surname);
    p.sex = sex;
    p.flags |= ChangedFlag;
    return rin;
  };
  Built b{};
  b.otto = person("Otto", "Brandt", 'M');
  b.berta = person("Berta Luise", "Weiß", 'F');
  b.paul = person("Paul", "Findling", 'M');
  b.grete = person("Grete", "Findling", 0);
  Person& otto = store.personTable[b.otto];
  otto.birthDate = PackedDate::Make(1880, 5, 3);
  otto.birthPlace = place("Ulm");
  otto.chrDate = PackedDate::Make(1880, 5, 9);
  otto.deathDate = PackedDate::Make(1950);
  otto.deathPlace = place("Dresden");
  otto.burialPlace = place("Dresden");
  otto.flags |= HasBirthDateFlag | HasBirthPlaceFlag | HasChrDateFlag | HasDeathDateFlag |
                HasDeathPlaceFlag | HasBurialPlaceFlag;
  store.personTable[b.berta].birthPlace = place("Köln");  // without its presence bit

  Family& parents = store.familyTable[1];
  ListAppend(parents.children, b.otto);
  parents.flags |= ChangedFlag;
  ListAppend(otto.famc, 1);

  b.marriage = store.AddFamily();
  Family& marriage = store.familyTable[b.marriage];
  marriage.husband = b.otto;
  marriage.wife = b.berta;
  marriage.marriageDate = PackedDate::Make(1905, 6, 12);
  marriage.marriagePlace = place("Leipzig");
  marriage.flags |=
      HasHusbandFlag | HasWifeFlag | HasMarriageDateFlag | HasMarriagePlaceFlag | ChangedFlag;
  ListAppend(store.personTable[b.otto].fams, b.marriage);
  ListAppend(store.personTable[b.berta].fams, b.marriage);

  b.foundling = store.AddFamily();
  Family& foundling = store.familyTable[b.foundling];
  foundling.flags |= HasChildrenFlag | ChangedFlag;
  for (const Rin child : {b.paul, b.grete}) {
    ListAppend(foundling.children, child);
    ListAppend(store.personTable[child].famc, b.foundling);
  }
  return b;
}

// The records made above, as the export writes them.
const std::string kAdded =
    Ged("0 @I4@ INDI|1 NAME Otto /Brandt/|1 SEX M|1 BIRT|2 DATE 3 MAY 1880|2 PLAC Ulm|1 CHR|"
        "2 DATE 9 MAY 1880|1 DEAT|2 DATE 1950|2 PLAC Dresden|1 BURI|2 PLAC Dresden|1 FAMC @F1@|"
        "1 FAMS @F2@|"
        "0 @I5@ INDI|1 NAME Berta Luise /Weiß/|1 SEX F|1 BIRT|2 PLAC Köln|1 FAMS @F2@|"
        "0 @I6@ INDI|1 NAME Paul /Findling/|1 SEX M|1 FAMC @F3@|"
        "0 @I7@ INDI|1 NAME Grete /Findling/|1 FAMC @F3@|"
        "0 @F2@ FAM|1 HUSB @I4@|1 WIFE @I5@|1 MARR|2 DATE 12 JUN 1905|2 PLAC Leipzig|"
        "0 @F3@ FAM|1 CHIL @I6@|1 CHIL @I7@");

int Count(const Lines& lines, std::string_view line) {
  return static_cast<int>(std::ranges::count(lines, line));
}

// Exports through the menu command, which clears the selection and the changed flags.
void ExportAll(Session& s, const std::string& name) {
  s.SelectAll();
  s.ui.QueueFile(s.folder.Path(name));
  ASSERT_TRUE(ExportCommand(s.context));
  EXPECT_EQ(s.BoxTexts(), Lines{});
}

// The file reads back into the same tables, without a link to repair.
void ExpectReloads(const Session& s, const std::string& path) {
  Session back;
  ASSERT_TRUE(back.Load(path));
  EXPECT_EQ(back.diagnostics.ReportText().find("###"), std::string::npos)
      << back.diagnostics.ReportText();
  EXPECT_EQ(test::StoreRows(back.store), test::StoreRows(s.store));
}

TEST(CreatedRecords, AreWrittenBehindTheFileAndFoundThereByTheNextExport) {
  Session s;
  ASSERT_TRUE(s.LoadText(kLoaded));
  const Built b = AddRecords(s.store);
  ExportAll(s, "out.ged");
  // Everything before the changed family byte for byte; the new records behind the last
  // record of the file, persons then families, before the TRLR line.
  const std::string out = ReadFile(s.folder.Path("out.ged"));
  const std::size_t family = kLoaded.find("0 @F1@ FAM");
  EXPECT_EQ(out, kLoaded.substr(0, family) +
                     Ged("0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I2@|1 CHIL @I3@|1 CHIL @I4@|1 MARR|"
                         "2 DATE 1875") +
                     kAdded + Ged("0 TRLR"));
  ExpectReloads(s, s.folder.Path("out.ged"));
  EXPECT_NE(s.P(b.paul).recordOffset, 0u);
  EXPECT_NE(s.store.familyTable[b.foundling].recordOffset, 0u);

  // The next export reads the new records from the file that export wrote: a changed one
  // is rebuilt from its lines there, none is written twice.
  s.P(b.otto).birthPlace = InternText(s.store.texts, TextPoolId::Places, "Neu-Ulm");
  s.P(b.otto).flags |= ChangedFlag;
  ExportAll(s, "again.ged");
  Lines expected = FileLines(s.folder.Path("out.ged"));
  std::ranges::replace(expected, std::string("2 PLAC Ulm"), std::string("2 PLAC Neu-Ulm"));
  const Lines again = FileLines(s.folder.Path("again.ged"));
  EXPECT_EQ(again, expected);
  for (const char* header : {"0 @I4@ INDI", "0 @I6@ INDI", "0 @F2@ FAM", "0 @F3@ FAM"}) {
    EXPECT_EQ(Count(again, header), 1) << header;
  }
  ExpectReloads(s, s.folder.Path("again.ged"));
  // Unchanged, a third export is the second one byte for byte.
  ExportAll(s, "third.ged");
  EXPECT_EQ(ReadFile(s.folder.Path("third.ged")), ReadFile(s.folder.Path("again.ged")));
}

// After "Neu" there is no file: the export writes a new one in UTF-8 with a header of its
// own, and the next export reads that one.
TEST(CreatedRecords, WithoutALoadedFileMakeAFileOfTheirOwn) {
  Session s;
  ASSERT_TRUE(s.file.path.empty());
  for (const char* name : {"Karl", "Anna", "Elise"}) {
    Person& p = s.P(s.store.AddPerson());
    p.givenNames = InternText(s.store.texts, TextPoolId::GivenNames, name);
    p.surname = InternText(s.store.texts, TextPoolId::Surnames, "Brandt");
  }
  s.P(1).sex = 'M';
  s.P(2).sex = 'F';
  const Mrin f = s.store.AddFamily();
  Family& family = s.store.familyTable[f];
  family.husband = 1;
  family.wife = 2;
  ListAppend(family.children, 3);
  for (const Rin rin : {1, 2}) ListAppend(s.P(rin).fams, f);
  ListAppend(s.P(3).famc, f);
  const Built b = AddRecords(s.store);  // Otto is a son of the family above too

  ExportAll(s, "neu.ged");
  const std::string written = ReadFile(s.folder.Path("neu.ged"));
  EXPECT_EQ(written, Ged("0 HEAD|1 SOUR Korvane|1 GEDC|2 VERS 5.5.1|2 FORM LINEAGE-LINKED|"
                         "1 CHAR UTF-8|0 @I1@ INDI|1 NAME Karl /Brandt/|1 SEX M|1 FAMS @F1@|"
                         "0 @I2@ INDI|1 NAME Anna /Brandt/|1 SEX F|1 FAMS @F1@|"
                         "0 @I3@ INDI|1 NAME Elise /Brandt/|1 FAMC @F1@") +
                         kAdded.substr(0, kAdded.find("0 @F2@")) +
                         Ged("0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I2@|1 CHIL @I3@|1 CHIL @I4@") +
                         kAdded.substr(kAdded.find("0 @F2@")) + Ged("0 TRLR"));
  EXPECT_EQ(s.file.path, s.folder.Path("neu.ged"));
  EXPECT_EQ(s.file.encoding.encoding, FileEncoding::Utf8);
  EXPECT_NE(s.P(b.otto).recordOffset, 0u);
  ExpectReloads(s, s.folder.Path("neu.ged"));

  // Into the same file: the first one becomes its backup, the new one is the same.
  ExportAll(s, "neu.ged");
  EXPECT_EQ(ReadFile(s.folder.Path("neu.bak")), written);
  EXPECT_EQ(ReadFile(s.folder.Path("neu.ged")), written);
}

// A file whose last line has no line end: the new record starts on a line of its own.
TEST(CreatedRecords, FollowALastLineWithoutLineEnd) {
  const std::string karl = "0 HEAD\r\n0 @I1@ INDI\r\n1 NAME Karl /Brandt/";
  const std::string otto = "\r\n0 @I2@ INDI\r\n1 NAME Otto //\r\n";
  for (const std::string trailer : {"", "\r\n0 TRLR"}) {
    Session s;
    ASSERT_TRUE(s.LoadText(karl + trailer));
    s.P(s.store.AddPerson()).givenNames = InternText(s.store.texts, TextPoolId::GivenNames, "Otto");
    s.SelectAll();
    ASSERT_NE(s.Export(), Lines{});
    EXPECT_EQ(ReadFile(s.folder.Path("out.ged")), karl + otto + (trailer.empty() ? "" : "0 TRLR"));
  }
}

}  // namespace
}  // namespace korvane::export_test
