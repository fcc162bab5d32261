#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cerrno>
#include <filesystem>

#include "gedcom/file_parts.h"
#include "gedcom_test_util.h"

namespace korvane::gedcom_test {
namespace {

using Strings = std::vector<std::string>;

Strings BoxTexts(const ScriptedUi& ui) {
  Strings texts;
  for (const ScriptedUi::ShownBox& box : ui.Boxes()) texts.push_back(box.title + ": " + box.text);
  return texts;
}

const std::string kCannotLoad =
    "FEHLER: \r\nLaden von GED Datei b.ged nicht m\xC3\xB6glich.\r\n"
    "Bitte andere GED Datei importieren";

// What is not a readable regular file fails the load with its reason, at once.
TEST(LoadFaults, WhatCannotBeReadSaysWhy) {
  const struct {
    const char* what;
    std::function<void(Loader&, const std::string&)> make;
    std::string box;  // '%' for the path
  } cases[] = {
      {"folder", [](Loader&, const std::string& p) { std::filesystem::create_directory(p); },
       "FEHLER: % ist ein Ordner und keine GED Datei"},
      {"FIFO", [](Loader&, const std::string& p) { ASSERT_EQ(::mkfifo(p.c_str(), 0600), 0); },
       "FEHLER: % ist keine gew\xC3\xB6hnliche Datei (ein Ger\xC3\xA4t oder eine Pipe)"},
      {"no permission",
       [](Loader& l, const std::string& p) {
         l.folder.Write("b.ged", Ged("0 @I1@ INDI"));
         l.files.FailAt(FileOp::Open, 1, EACCES);
         (void)p;
       },
       "FEHLER: GED Datei % kann nicht gelesen werden:\r\nKeine Berechtigung"},
      {"unreadable header",
       [](Loader& l, const std::string&) {
         l.folder.Write("b.ged", Ged("0 @I1@ INDI"));
         l.files.FailReadAtByte(0, EIO);
       },
       "FEHLER: Fehler beim Lesen der GED Datei:\r\nEin-/Ausgabefehler des Datentr\xC3\xA4gers"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.what);
    Loader loader;
    const std::string path = loader.folder.Path("b.ged");
    c.make(loader, path);
    EXPECT_FALSE(loader.Load(path));
    std::string box = c.box;
    if (box.find('%') != std::string::npos) box.replace(box.find('%'), 1, path);
    EXPECT_EQ(BoxTexts(loader.ui), (Strings{box, kCannotLoad}));
    EXPECT_EQ(loader.store.PersonCount(), 0);
  }
}

// A read error anywhere in the file fails the load: part of a file is never taken for
// the whole, whether it is read in one piece or in parts at the same time.
TEST(LoadFaults, AReadErrorInTheMiddleFailsTheLoad) {
  // Declared as UTF-8, the encoding is decided from the first 64 KiB: the fault lies
  // behind them.
  std::string text = "0 HEAD\r\n1 CHAR UTF-8\r\n";
  for (int rin = 1; rin <= 10000; ++rin) {
    text += "0 @I" + std::to_string(rin) + "@ INDI\r\n1 NAME Karl /Brandt/\r\n1 BIRT\r\n";
  }
  text += "0 TRLR\r\n";
  const FilePartPolicy before = CurrentFilePartPolicy();
  for (const int parts : {1, 4}) {
    SCOPED_TRACE(parts);
    SetFilePartPolicy({parts, 1, 1 << 12});
    for (const std::size_t at : {text.size() / 5, text.size() / 2, text.size() - 10}) {
      Loader loader;
      loader.files.FailReadAtByte(at, EIO);
      EXPECT_FALSE(loader.LoadText(text));
      EXPECT_EQ(BoxTexts(loader.ui),
                (Strings{"FEHLER: Fehler beim Lesen der GED Datei", kCannotLoad}));
      EXPECT_EQ(loader.store.PersonCount(), 0);
    }
  }
  SetFilePartPolicy(before);
}

// A load removes what a failed or killed export to the same file left behind, and
// nothing else.
TEST(LoadFaults, ALoadRemovesLeftoversOfAnExportToItsFile) {
  Loader loader;
  loader.folder.Write("b.ged.neu-a1B2c3", "halb");
  loader.folder.Write("b.ged.neu-123", "kein Rest");
  loader.folder.Write("c.ged.neu-a1B2c3", "anderes Ziel");
  ASSERT_TRUE(loader.LoadText(Ged("0 @I1@ INDI|1 NAME Karl /Brandt/")));
  EXPECT_EQ(loader.folder.Names(),
            (Strings{"b.ged", "b.ged.neu-123", "c.ged.neu-a1B2c3", "korvane.log"}));
}

}  // namespace
}  // namespace korvane::gedcom_test
