#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "cli/cli_run.h"
#include "common/test_support.h"

namespace korvane::cli_test {
namespace {

using test::Ged;
using test::ReadFile;

const std::string kFamily =
    Ged("0 HEAD|0 @I1@ INDI|1 NAME Karl /Brandt/|1 SEX M|1 FAMS @F1@|0 @I2@ INDI|1 NAME Anna "
        "/K\xC3\xB6hler/|1 SEX F|1 FAMS @F1@|0 @I3@ INDI|1 NAME Otto /Brandt/|1 FAMC @F1@|"
        "0 @F1@ FAM|1 HUSB @I1@|1 WIFE @I2@|1 CHIL @I3@|0 TRLR");

CliResult Export(std::vector<std::string_view> args) { return RunCli("export", std::move(args)); }

TEST(ExportCli, ExportsEveryPresentPersonOrTheListedOnes) {
  test::TempFolder folder;
  const std::string source = folder.Write("f.ged", kFamily);
  // Each export goes onto the file itself, which moves to its next backup with its log.
  CliResult result = Export({source, "-o", source});
  EXPECT_EQ(result.exitCode, cli::kExitOk);
  EXPECT_EQ(result.out, "Exportiere f.ged ...\nf.ged teil-exportieren\nf.ged exportiert\n");
  EXPECT_EQ(result.err, "");
  EXPECT_EQ(ReadFile(source), kFamily);
  EXPECT_EQ(ReadFile(folder.Path("f.bak")), kFamily);

  result = Export({source, "-o", source, "--rins", "1,3-7"});
  EXPECT_EQ(result.exitCode, cli::kExitOk);
  EXPECT_EQ(ReadFile(source),
            Ged("0 HEAD|0 @I1@ INDI|1 NAME Karl /Brandt/|1 SEX M|1 FAMS @F1@|0 @I3@ INDI|"
                "1 NAME Otto /Brandt/|1 FAMC @F1@|0 @F1@ FAM|1 HUSB @I1@|1 CHIL @I3@|0 TRLR"));
  EXPECT_EQ(folder.Names(),
            (std::vector<std::string>{"f.b01", "f.bak", "f.ged", "f.l01", "f.log"}));
}

TEST(ExportCli, ExplainsWrongCalls) {
  test::TempFolder folder;
  const std::string source = folder.Write("f.ged", kFamily), target = folder.Path("z.ged");
  const std::vector<std::vector<std::string_view>> calls = {
      {source},
      {source, "-o"},
      {source, "z.ged", "-o", target},
      {source, "-o", target, "--mehr"},
      {source, "-o", target, "--rins"},
      {source, "-o", target, "--rins", "3-1"},
      {source, "-o", target, "--rins", "a"},
      {source, "-o", target, "--rins", "1,,2"}};
  for (const auto& args : calls) {
    const CliResult result = Export(args);
    EXPECT_EQ(result.exitCode, cli::kExitUsage) << ::testing::PrintToString(args);
    EXPECT_EQ(result.err, "Aufruf: korvane-cli export DATEI.ged -o ZIEL.ged [--rins 1-20,35]\n");
    EXPECT_EQ(result.out, "");
  }
  EXPECT_FALSE(std::filesystem::exists(target));
}

TEST(ExportCli, FailsWithExitCodeOneAndTheMessages) {
  test::TempFolder folder;
  const std::string source = folder.Write("f.ged", kFamily), target = folder.Path("fehlt/z.ged");
  CliResult result = Export({source, "-o", target});
  EXPECT_EQ(result.exitCode, cli::kExitFailed);
  EXPECT_EQ(result.out, "Exportiere z.ged ...\n");
  EXPECT_EQ(result.err, "FEHLER: Fehler beim Öffnen der Datei '" + target +
                            "'\nDie Datei oder der Ordner existiert nicht"
                            "\nFEHLER: Speichen von GED file nicht möglich:\n" +
                            target + "\n");

  result = Export({source, "-o", folder.Path("z.ged"), "--rins", "4-9"});
  EXPECT_EQ(result.exitCode, cli::kExitFailed);
  EXPECT_EQ(result.err, "Keine der angegebenen Personen ist vorhanden.\n");
  EXPECT_FALSE(std::filesystem::exists(folder.Path("z.ged")));
}

}  // namespace
}  // namespace korvane::cli_test
