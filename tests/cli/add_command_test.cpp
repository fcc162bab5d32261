#include <gtest/gtest.h>

#include <map>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "cli/batch_session.h"
#include "cli/cli_run.h"
#include "common/link_faults.h"
#include "common/test_support.h"
#include "dates/format_date.h"
#include "store/accessors.h"

namespace korvane::cli_test {
namespace {

// The records of a GEDCOM text by their cross-reference ("@I1@"), each with its lines.
std::map<std::string, std::string> RecordsOf(const std::string& text) {
  std::map<std::string, std::string> records;
  std::string key;
  std::istringstream lines(text);
  for (std::string line; std::getline(lines, line);) {
    if (line.starts_with("0 ")) {
      const std::size_t end = line.find(' ', 2);
      key = line.substr(2, end == std::string::npos ? end : end - 2);
    }
    records[key] += line + "\n";
  }
  return records;
}

// A file loaded as the program loads it.
struct Loaded {
  explicit Loaded(const std::string& path) : session(streams) { loaded = session.Load(path); }
  std::ostringstream out, err;
  cli::CliStreams streams{out, err};
  cli::BatchSession session;
  bool loaded = false;
  const Store& store() const { return session.store; }
};

// Whether `parent` is a husband or wife of one of the child's parent families.
bool IsParentOf(const Store& store, Rin parent, Rin child) {
  for (const Mrin mrin : store.personTable[child].famc) {
    const Family& family = store.familyTable[mrin];
    if (family.husband == parent || family.wife == parent) return true;
  }
  return false;
}

struct Case {
  const char* relation;
  std::vector<std::string_view> fields;
  // How the new person (RIN 91) is linked to RIN 1 in the exported file.
  bool (*linked)(const Store& store, Rin added);
};

TEST(AddCli, AddsAChildAFatherAMotherAndASpouseAndKeepsEveryOtherRecord) {
  test::TempFolder folder;
  const std::string sampleText = test::ReadFile(KORVANE_SAMPLES "/familie-brandt.ged");
  // What an export without the new person writes (the load repairs some of the sample's
  // records, which the export then rebuilds): every record but the touched ones stays so.
  const std::string plain = folder.Path("ohne.ged");
  ASSERT_EQ(RunCli("export", {folder.Write("quelle.ged", sampleText), "-o", plain}).exitCode,
            cli::kExitOk);
  const Case cases[] = {
      {"--child-of",
       {"--name", "Paul Friedrich /Brandt/", "--sex", "M", "--birth", "1.5.1830", "--birthplace",
        "Lüneburg"},
       [](const Store& s, Rin added) { return IsParentOf(s, 1, added); }},
      {"--father-of",
       {"--name", "Caspar /Brandt/", "--birth", "ABT 1760", "--death", "3 MAR 1820", "--deathplace",
        "Mühlhausen"},
       [](const Store& s, Rin added) { return FatherOf(s, 1, 0) == added; }},
      {"--mother-of",
       {"--name", "Dorothea /Vogt/", "--birth", "1765", "--birthplace", "Erfurt"},
       [](const Store& s, Rin added) { return MotherOf(s, 1, 0) == added; }},
      {"--spouse-of",
       {"--name", "Martha /Lenz/", "--birth", "12 DEC 1795", "--birthplace", "Gotha"},
       [](const Store& s, Rin added) {
         for (const Mrin mrin : s.personTable[added].fams) {
           if (s.familyTable[mrin].husband == 1 && s.familyTable[mrin].wife == added) return true;
         }
         return false;
       }},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.relation);
    const std::string source = folder.Write("familie-brandt.ged", sampleText);
    const std::string target = folder.Path(std::string("neu") + c.relation + ".ged");
    std::vector<std::string_view> args = {source, "-o", target, c.relation, "1"};
    args.insert(args.end(), c.fields.begin(), c.fields.end());
    const CliResult result = RunCli("add", args);
    ASSERT_EQ(result.exitCode, cli::kExitOk) << result.err;
    // The questions answered No are shown; nothing was refused.
    EXPECT_EQ(result.err.find("FEHLER"), std::string::npos) << result.err;
    EXPECT_NE(result.out.find("[91]"), std::string::npos) << result.out;  // the log lines

    Loaded before(source), after(target);
    ASSERT_TRUE(after.loaded) << after.out.str();
    const Store& store = after.store();
    ASSERT_EQ(store.PersonCount(), 91);
    EXPECT_EQ(test::LinkFaults(store), std::vector<std::string>{});
    EXPECT_TRUE(c.linked(store, 91));
    const Person& added = store.personTable[91];
    const std::string_view name = c.fields[1];
    EXPECT_EQ(std::string(added.givenNames) + " /" + added.surname + "/", name);
    for (std::size_t i = 2; i + 1 < c.fields.size(); i += 2) {
      const std::string_view option = c.fields[i], value = c.fields[i + 1];
      const std::string_view stored = option == "--birthplace"   ? added.birthPlace
                                      : option == "--deathplace" ? added.deathPlace
                                      : option == "--sex"        ? std::string_view(&added.sex, 1)
                                                                 : value;
      EXPECT_EQ(stored, value) << option;
    }
    if (c.relation == std::string_view("--child-of")) {
      EXPECT_EQ(FormatDate(added.birthDate, DateForm::GedcomForm), "1 MAY 1830");
    }

    // Every record that has nothing to do with the new person is copied as it was.
    std::set<std::string> touched = {"@I1@", "@I91@"};
    for (const LinkList* families : {&added.fams, &added.famc}) {
      for (const Mrin mrin : *families) touched.insert("@F" + std::to_string(mrin) + "@");
    }
    const auto oldRecords = RecordsOf(test::ReadFile(plain));
    const auto newRecords = RecordsOf(test::ReadFile(target));
    for (const auto& [key, text] : oldRecords) {
      if (touched.count(key) == 0) {
        EXPECT_EQ(newRecords.count(key) ? newRecords.at(key) : "", text);
      }
    }
    EXPECT_EQ(before.store().FamilyCount() + (c.relation == std::string_view("--child-of") ? 0 : 1),
              store.FamilyCount());
  }
}

TEST(AddCli, RefusesWithTheProgramsMessageAndWritesNothing) {
  test::TempFolder folder;
  const std::string source =
      folder.Write("f.ged", test::Ged("0 HEAD|0 @I1@ INDI|1 NAME Karl /Brandt/|0 TRLR"));
  const std::string target = folder.Path("z.ged");
  // A spouse needs to know the person's sex; RIN 5 does not exist.
  CliResult result =
      RunCli("add", {source, "-o", target, "--spouse-of", "1", "--name", "Anna /Köhler/"});
  EXPECT_EQ(result.exitCode, cli::kExitFailed);
  EXPECT_EQ(result.err, "FEHLER: Person [1] muss männlich oder weiblich sein\n");
  result = RunCli("add", {source, "-o", target, "--father-of", "5", "--name", "Otto /Brandt/"});
  EXPECT_EQ(result.exitCode, cli::kExitFailed);
  EXPECT_EQ(result.err, "FEHLER: Person [5] gibt es nicht\n");
  // A father is a man.
  result = RunCli(
      "add", {source, "-o", target, "--father-of", "1", "--name", "Eva /Brandt/", "--sex", "F"});
  EXPECT_EQ(result.exitCode, cli::kExitFailed);
  EXPECT_EQ(result.err, "FEHLER: Die neue Person muss männlich sein\n");
  EXPECT_EQ(folder.Names(), (std::vector<std::string>{"f.ged", "korvane.log"}));

  for (const std::vector<std::string_view>& args :
       {std::vector<std::string_view>{source, "-o", target},
        {source, "-o", target, "--name", "A /B/", "--sex", "X"},
        {source, "-o", target, "--name", "A /B/", "--child-of", "1", "--spouse-of", "1"},
        {source, "--name", "A /B/"}}) {
    result = RunCli("add", args);
    EXPECT_EQ(result.exitCode, cli::kExitUsage);
    EXPECT_TRUE(result.err.starts_with("Aufruf: korvane-cli add DATEI.ged -o ZIEL.ged"))
        << result.err;
  }
}

}  // namespace
}  // namespace korvane::cli_test
