#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#include "common/store_rows.h"
#include "gedcom/file_parts.h"
#include "gedcom_test_util.h"

namespace korvane::gedcom_test {
namespace {

namespace fs = std::filesystem;

// Everything a load leaves behind that a later command may use.
std::vector<std::string> LoadOutcome(std::string_view bytes, const FilePartPolicy& policy) {
  SetFilePartPolicy(policy);
  Loader loader;
  const bool loaded = loader.LoadText(bytes);
  std::vector<std::string> outcome = test::StoreRows(loader.store);
  for (const Person& p : loader.store.personTable) {
    outcome.push_back(std::to_string(p.recordOffset) + " " + std::to_string(p.flags));
  }
  for (const Family& f : loader.store.familyTable) {
    outcome.push_back(std::to_string(f.recordOffset) + " " + std::to_string(f.flags));
  }
  const ReadCounts& counts = loader.file.counts;
  outcome.push_back(std::to_string(loaded) + " " + std::to_string(counts.indiRecords) + " " +
                    std::to_string(counts.famRecords) + " " +
                    std::to_string(counts.highestSourceNumber));
  for (const auto& [from, to] :
       std::set(counts.respelledXrefs.begin(), counts.respelledXrefs.end())) {
    outcome.push_back(from + " -> " + to);
  }
  outcome.push_back(loader.Report());
  const std::string log = ReadFile(loader.folder.Path("korvane.log"));
  outcome.push_back(log.substr(log.find("\n\n", log.find("Import:"))));  // behind the path
  return outcome;
}

class LoadInParts : public ::testing::Test {
 protected:
  ~LoadInParts() override { SetFilePartPolicy(saved_); }
  const FilePartPolicy saved_ = CurrentFilePartPolicy();
};

// Records defined twice, renumbered, doubled links, texts and links that cross from one
// part into another: each part is read on its own, the result must not show it.
const char kAcrossParts[] =
    "0 HEAD\n1 CHAR ANSI\n0 @I1@ INDI\n1 NAME J\xFCrgen /M\xFCller/\n1 FAMS @F1@\n"
    "1 FAMS @F1@\n1 BIRT\n2 DATE 1 JAN 1850\n2 PLAC K\xF6ln\n0 @P1@ INDI\n"
    "1 NAME Anna /M\xFCller/\n1 FAMS @F1@\n0 @F1@ FAM\n1 HUSB @I1@\n1 WIFE @P1@\n"
    "1 CHIL @I3@\n1 CHIL @PERSON9@\n1 MARR\n2 PLAC K\xF6ln\n0 @I1@ INDI\n"
    "1 NAME Zweiter /M\xFCller/\n0 @PERSON9@ INDI\n1 NAME Kind /M\xFCller/\n1 FAMC @F1@\n"
    "1 BIRT\n2 PLAC Bonn\n0 INDI\n1 NAME Ohne\n0 @I3@ INDI\n1 NAME Drei /X/\n1 FAMC @F1@\n"
    "1 FAMC @F7@\n0 @S5@ SOUR\n0 @\xDC"
    "1@ INDI\n1 NAME \xDC /K\xF6ln/\n0 @F1@ FAM\n"
    "1 HUSB @PERSON9@\n0 TRLR\n";

TEST_F(LoadInParts, GivesTheSameTablesAndReportAsOnePiece) {
  std::set<std::string> files = {std::string(KORVANE_SAMPLES) + "/familie-brandt.ged"};
  std::error_code missing;
  for (const auto& entry : fs::directory_iterator(KORVANE_SHARED_TESTDATA, missing)) {
    const std::string ext = entry.path().extension().string();
    if (ext == ".ged" || ext == ".GED") files.insert(entry.path().string());
  }
  std::vector<std::pair<std::string, std::string>> inputs = {{"across parts", kAcrossParts}};
  for (const std::string& file : files) inputs.emplace_back(file, ReadFile(file));
  for (const auto& [name, bytes] : inputs) {
    SCOPED_TRACE(name);
    const std::vector<std::string> whole = LoadOutcome(bytes, {1, 0});
    // Parts that finish early split others again, wherever their readers happen to be.
    for (const FilePartPolicy& policy :
         {FilePartPolicy{2, 1}, FilePartPolicy{7, 1}, FilePartPolicy{40, 1},
          FilePartPolicy{2, 1, 1}, FilePartPolicy{3, 1, 1}, FilePartPolicy{3, 1, 1}}) {
      const std::vector<std::string> split = LoadOutcome(bytes, policy);
      const std::string parts = std::to_string(policy.maxParts) + " parts";
      ASSERT_EQ(split.size(), whole.size()) << parts;
      for (std::size_t i = 0; i < whole.size(); ++i) {
        ASSERT_EQ(split[i], whole[i]) << parts << ", row " << i;
      }
    }
  }
}

}  // namespace
}  // namespace korvane::gedcom_test
