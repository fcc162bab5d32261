#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_command.h"
#include "gedcom_test_util.h"

namespace korvane::gedcom_test {
namespace {

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

CliResult RunCli(std::string_view command, std::vector<std::string_view> args) {
  CliResult result;
  std::ostringstream out, err;
  cli::CliStreams streams{out, err};
  for (const cli::CliCommand& c : cli::CliCommands()) {
    if (c.name == command) result.exitCode = c.run(args, streams);
  }
  result.out = out.str();
  result.err = err.str();
  return result;
}

TEST(LoadCommand, LoadsTheBundledSampleAndRepairsItsOneSidedLinks) {
  TempFolder folder;
  const CliResult result =
      RunCli("load", {folder.Copy(std::string(KORVANE_SAMPLES) + "/familie-brandt.ged")});
  EXPECT_EQ(result.exitCode, cli::kExitOk);
  EXPECT_EQ(result.err, "");
  const std::string loaded = "90 Personen 32 Familien importiert\n\nfamilie-brandt.ged geladen in ";
  ASSERT_EQ(result.out.substr(0, loaded.size()), loaded);
  EXPECT_EQ(result.out.substr(result.out.find(" Sek\n") + 5),
            "\n### HUSB 21 ohne FAMS 7 \n Fam [7] Gustav M\xC3\xBCller - Wilhelmine Brandt "
            "\n### Kind 26 ohne FAMC 9 \n Fam [9] Hermann Brandt - Katharina B\xC3\xA4"
            "cker \n\n2 Fehler automatisch korrigiert!"
            "\nBitte Exportieren um \xC3\x84nderungen zu sichern!\n");
}

TEST(LoadCommand, LoadsEverySharedSampleFile) {
  const std::string shared = KORVANE_SHARED_TESTDATA;
  if (!std::filesystem::is_directory(shared)) GTEST_SKIP() << "no shared test files in " << shared;
  const struct {
    const char* name;
    int persons, families;
  } files[] = {{"royal92.ged", 3010, 1422}, {"kennedy.ged", 208, 75}, {"555SAMPLE.GED", 3, 2},
               {"555SAMPLE16LE.GED", 3, 2}, {"allged.ged", 8, 4},     {"TGC55CLF.ged", 15, 7}};
  for (const auto& file : files) {
    SCOPED_TRACE(file.name);
    TempFolder folder;
    const CliResult result = RunCli("load", {folder.Copy(shared + "/" + file.name)});
    EXPECT_EQ(result.exitCode, cli::kExitOk);
    EXPECT_EQ(result.err, "");
    const std::string imported = std::to_string(file.persons) + " Personen " +
                                 std::to_string(file.families) + " Familien importiert\n";
    EXPECT_NE(result.out.find(imported), std::string::npos) << result.out;
    EXPECT_TRUE(std::filesystem::exists(folder.Path("korvane.log")));
  }
}

TEST(LoadCommand, ExplainsWrongCallsAndFailedLoads) {
  const std::string usage = "Aufruf: korvane-cli load DATEI.ged\n";
  for (const std::vector<std::string_view>& args :
       {std::vector<std::string_view>{}, std::vector<std::string_view>{"a.ged", "b.ged"}}) {
    const CliResult result = RunCli("load", args);
    EXPECT_EQ(result.exitCode, cli::kExitUsage);
    EXPECT_EQ(result.err, usage);
    EXPECT_EQ(result.out, "");
  }

  TempFolder folder;
  const std::string missing = folder.Path("fehlt.ged");
  CliResult result = RunCli("load", {missing});
  EXPECT_EQ(result.exitCode, cli::kExitFailed);
  EXPECT_EQ(result.err, "FEHLER: Original GED Datei " + missing +
                            " nicht gefunden!\n"
                            "FEHLER: Laden von GED Datei fehlt.ged nicht m\xC3\xB6glich.\n"
                            "Bitte andere GED Datei importieren\n");

  result = RunCli("load", {folder.Write("liste.txt", Ged({"0 @I1@ INDI"}))});
  EXPECT_EQ(result.exitCode, cli::kExitFailed);
  EXPECT_EQ(result.err,
            "FEHLER: Dateierweiterung .ged fehlt in " + folder.Path("liste.txt") + "\n");
}

}  // namespace
}  // namespace korvane::gedcom_test
