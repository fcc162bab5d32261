#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli/cli_run.h"
#include "common/test_support.h"

namespace korvane::cli_test {
namespace {

// Loads a copy of each file (a load writes its log beside the file): the bundled sample,
// whose one-sided links are repaired, and the shared files with the counts of their README.
TEST(LoadCommand, LoadsTheBundledAndEverySharedSampleFile) {
  test::TempFolder folder;
  const auto load = [&folder](const std::string& path, const std::string& imported) {
    const std::string name = std::filesystem::path(path).filename().string();
    const CliResult result = RunCli("load", {folder.Write(name, test::ReadFile(path))});
    EXPECT_EQ(result.exitCode, cli::kExitOk);
    EXPECT_EQ(result.err, "");
    EXPECT_NE(result.out.find(imported + " importiert\n"), std::string::npos) << result.out;
    return result.out;
  };
  const std::string out =
      load(std::string(KORVANE_SAMPLES) + "/familie-brandt.ged", "90 Personen 32 Familien");
  EXPECT_NE(out.find("\n### HUSB 21 ohne FAMS 7 \n"), std::string::npos) << out;
  EXPECT_NE(out.find("\n### Kind 26 ohne FAMC 9 \n"), std::string::npos) << out;
  EXPECT_TRUE(
      out.ends_with("\n\n2 Fehler automatisch korrigiert!\n"
                    "Bitte Exportieren um \xC3\x84nderungen zu sichern!\n"));

  const std::string shared = KORVANE_SHARED_TESTDATA;
  if (!std::filesystem::is_directory(shared)) GTEST_SKIP() << "no shared test files in " << shared;
  for (const auto& [name, imported] : {std::pair{"royal92.ged", "3010 Personen 1422 Familien"},
                                       {"kennedy.ged", "208 Personen 75 Familien"},
                                       {"555SAMPLE.GED", "3 Personen 2 Familien"},
                                       {"555SAMPLE16LE.GED", "3 Personen 2 Familien"},
                                       {"allged.ged", "8 Personen 4 Familien"},
                                       {"TGC55CLF.ged", "15 Personen 7 Familien"}}) {
    SCOPED_TRACE(name);
    load(shared + "/" + name, imported);
  }
}

}  // namespace
}  // namespace korvane::cli_test
