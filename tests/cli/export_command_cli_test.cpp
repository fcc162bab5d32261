#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "cli/cli_command.h"

namespace korvane::cli {
namespace {

namespace fs = std::filesystem;

struct CliResult {
  int exitCode = -1;
  std::string out;
  std::string err;
};

CliResult RunExport(std::vector<std::string_view> args) {
  CliResult result;
  std::ostringstream out, err;
  CliStreams streams{out, err};
  for (const CliCommand& command : CliCommands()) {
    if (command.name == "export") result.exitCode = command.run(args, streams);
  }
  result.out = out.str();
  result.err = err.str();
  return result;
}

// Its own folder with a small family file in it.
class ExportCli : public ::testing::Test {
 protected:
  void SetUp() override {
    folder_ = fs::temp_directory_path() /
              ("korvane-cli-export-" + std::to_string(::getpid()) + "-" +
               ::testing::UnitTest::GetInstance()->current_test_info()->name());
    fs::remove_all(folder_);
    fs::create_directories(folder_);
    std::ofstream(Path("f.ged"), std::ios::binary)
        << "0 HEAD\r\n0 @I1@ INDI\r\n1 NAME Karl /Brandt/\r\n1 SEX M\r\n1 FAMS @F1@\r\n"
           "0 @I2@ INDI\r\n1 NAME Anna /K\xC3\xB6hler/\r\n1 SEX F\r\n1 FAMS @F1@\r\n"
           "0 @I3@ INDI\r\n1 NAME Otto /Brandt/\r\n1 FAMC @F1@\r\n"
           "0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 WIFE @I2@\r\n1 CHIL @I3@\r\n0 TRLR\r\n";
  }
  void TearDown() override { fs::remove_all(folder_); }

  std::string Path(std::string_view name) const { return (folder_ / name).string(); }
  std::string Read(std::string_view name) const {
    std::ifstream in(Path(name), std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
  }

  fs::path folder_;
};

TEST_F(ExportCli, ExportsEveryPresentPersonOrTheListedOnes) {
  const std::string source = Path("f.ged"), original = Read("f.ged");
  struct Case {
    std::vector<std::string_view> options;
    std::string expected;
  };
  const Case cases[] = {
      {{}, original},
      {{"--rins", "1,3-7"},
       "0 HEAD\r\n0 @I1@ INDI\r\n1 NAME Karl /Brandt/\r\n1 SEX M\r\n1 FAMS @F1@\r\n"
       "0 @I3@ INDI\r\n1 NAME Otto /Brandt/\r\n1 FAMC @F1@\r\n"
       "0 @F1@ FAM\r\n1 HUSB @I1@\r\n1 CHIL @I3@\r\n0 TRLR\r\n"},
      {{"--rins", "3"}, "0 HEAD\r\n0 @I3@ INDI\r\n1 NAME Otto /Brandt/\r\n0 TRLR\r\n"},
  };
  // Each export goes onto the file itself, which moves to its next backup with its log.
  const char* backups[][2] = {{"f.bak", "f.log"}, {"f.b01", "f.l01"}, {"f.b02", "f.l02"}};
  for (int i = 0; i < 3; ++i) {
    SCOPED_TRACE(::testing::PrintToString(cases[i].options));
    std::vector<std::string_view> args = {source, "-o", source};
    args.insert(args.end(), cases[i].options.begin(), cases[i].options.end());
    const CliResult result = RunExport(args);
    EXPECT_EQ(result.exitCode, kExitOk);
    EXPECT_EQ(result.out, "Exportiere f.ged ...\nf.ged teil-exportieren\nf.ged exportiert\n");
    EXPECT_EQ(result.err, "");
    EXPECT_EQ(Read("f.ged"), cases[i].expected);
    EXPECT_TRUE(fs::exists(Path(backups[i][0])) && fs::exists(Path(backups[i][1])));
  }
  EXPECT_EQ(Read("f.bak"), original);
}

TEST_F(ExportCli, ExplainsWrongCalls) {
  const std::string usage = "Aufruf: korvane-cli export DATEI.ged -o ZIEL.ged [--rins 1-20,35]\n";
  const std::string source = Path("f.ged");
  const std::vector<std::vector<std::string_view>> calls = {{},
                                                            {source},
                                                            {"-o", "z.ged"},
                                                            {source, "-o"},
                                                            {source, "z.ged", "-o", "y.ged"},
                                                            {source, "-o", "z.ged", "--rins"},
                                                            {source, "-o", "z.ged", "--mehr"}};
  for (const auto& args : calls) {
    const CliResult result = RunExport(args);
    EXPECT_EQ(result.exitCode, kExitUsage) << ::testing::PrintToString(args);
    EXPECT_EQ(result.err, usage);
    EXPECT_EQ(result.out, "");
  }
  for (const std::string_view rins :
       {"", "0", "3-1", "a", "1,,2", "5-", "-5", "1-2-3", "99999999999", "2 "}) {
    const CliResult result = RunExport({source, "-o", Path("z.ged"), "--rins", rins});
    EXPECT_EQ(result.exitCode, kExitUsage) << "'" << rins << "'";
    EXPECT_EQ(result.err, usage);
  }
  EXPECT_FALSE(fs::exists(Path("z.ged")));
}

TEST_F(ExportCli, FailsWithExitCodeOneAndTheMessages) {
  const std::string source = Path("f.ged");
  const std::string target = Path("fehlt/z.ged");
  CliResult result = RunExport({source, "-o", target});
  EXPECT_EQ(result.exitCode, kExitFailed);
  EXPECT_EQ(result.out, "Exportiere z.ged ...\n");
  EXPECT_EQ(result.err, "FEHLER: Fehler beim Öffnen der Datei '" + target +
                            "'\nFEHLER: Speichen von GED file nicht möglich:\n" + target + "\n");

  result = RunExport({source, "-o", Path("z.ged"), "--rins", "4-9"});
  EXPECT_EQ(result.exitCode, kExitFailed);
  EXPECT_EQ(result.err, "Keine der angegebenen Personen ist vorhanden.\n");

  result = RunExport({Path("nichtda.ged"), "-o", Path("z.ged")});
  EXPECT_EQ(result.exitCode, kExitFailed);
  EXPECT_NE(
      result.err.find("FEHLER: Original GED Datei " + Path("nichtda.ged") + " nicht gefunden!\n"),
      std::string::npos)
      << result.err;
  EXPECT_FALSE(fs::exists(Path("z.ged")));
}

}  // namespace
}  // namespace korvane::cli
