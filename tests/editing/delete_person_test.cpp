#include "editing/delete_person.h"

#include <gtest/gtest.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

#include "../store/store_fixture.h"
#include "platform/scripted_ui.h"
#include "store/flags.h"

namespace korvane {
namespace {

using store_test::Date;
using store_test::Entries;
using store_test::Event;
using store_test::NewFamily;
using store_test::NewPerson;
using store_test::SetEvent;

class DeletePersonTest : public ::testing::Test {
 protected:
  void SetUp() override {
    logPath = (std::filesystem::temp_directory_path() /
               ("korvane_delete_person_" + std::to_string(::getpid()) + ".log"))
                  .string();
    std::filesystem::remove(logPath);
    diagnostics.SetLogPath(logPath);
  }
  void TearDown() override { std::filesystem::remove(logPath); }

  std::string Log() const {
    std::ifstream in(logPath, std::ios::binary);
    std::stringstream content;
    content << in.rdbuf();
    return content.str();
  }

  bool Delete(Rin rin, MessageAnswer answer) {
    ui.QueueAnswer(answer);
    return DeletePerson(store, diagnostics, ui, rin);
  }

  ScriptedUi ui;
  Diagnostics diagnostics{ui};
  Store store;
  std::string logPath;
};

TEST_F(DeletePersonTest, AsksByNameAndNoKeepsEverything) {
  const Rin father = NewPerson(store, "Johann", "Maier", 'M');
  const Rin mother = NewPerson(store, "Eva", "Huber", 'F');
  const Rin child = NewPerson(store, nullptr, "Maier", 'M');
  const Mrin family = NewFamily(store, father, mother, {child});
  const std::uint32_t flagsBefore = store.personTable[father].flags;

  EXPECT_FALSE(Delete(father, MessageAnswer::No));
  ASSERT_EQ(ui.Boxes().size(), 1u);
  EXPECT_EQ(ui.Boxes()[0].title, "PERSON LÖSCHEN");
  EXPECT_EQ(ui.Boxes()[0].text, "Soll Johann Maier [1] \r\ngelöscht werden?");
  EXPECT_EQ(ui.Boxes()[0].buttons, MessageButtons::YesNo);
  EXPECT_EQ(ui.Boxes()[0].icon, MessageIcon::Question);
  EXPECT_EQ(store.personTable[father].flags, flagsBefore);
  EXPECT_EQ(store.familyTable[family].husband, father);
  EXPECT_EQ(Entries(store.familyTable[family].children), (std::vector<Rin>{child}));
  EXPECT_EQ(Log(), "");

  // An absent name is asked about as an empty text.
  EXPECT_FALSE(Delete(child, MessageAnswer::No));
  EXPECT_EQ(ui.Boxes().back().text, "Soll  Maier [3] \r\ngelöscht werden?");
}

TEST_F(DeletePersonTest, NothingIsAskedForRecordsThatDoNotExist) {
  const Rin gone = NewPerson(store, "Otto", "Roth", 'M');
  store.personTable[gone].flags = 0;
  for (const Rin rin : {0, -1, gone, gone + 1}) {
    EXPECT_FALSE(DeletePerson(store, diagnostics, ui, rin)) << rin;
  }
  EXPECT_TRUE(ui.Boxes().empty());
}

TEST_F(DeletePersonTest, OnlySpouseTakesTheFamilyAlongButNotTheChildren) {
  const Rin mother = NewPerson(store, "Eva", "Huber", 'F');
  const Rin son = NewPerson(store, "Karl", "Huber", 'M');
  const Rin daughter = NewPerson(store, "Ida", "Huber", 'F');
  const Mrin family = NewFamily(store, 0, mother, {son, daughter});
  const Mrin sonsOtherParents = NewFamily(store, 0, 0, {son});

  EXPECT_TRUE(Delete(mother, MessageAnswer::Yes));
  EXPECT_EQ(store.personTable[mother].flags, 0u);
  EXPECT_EQ(store.familyTable[family].flags, 0u);
  EXPECT_EQ(store.familyTable[family].wife, 0);
  EXPECT_EQ(Entries(store.personTable[son].famc), (std::vector<Mrin>{sonsOtherParents}));
  EXPECT_TRUE(store.personTable[daughter].famc.Empty());
  EXPECT_TRUE(store.personTable[son].flags & PresentFlag);
  EXPECT_TRUE(store.personTable[daughter].flags & PresentFlag);
  // The deleted record keeps its data.
  EXPECT_STREQ(store.personTable[mother].givenNames, "Eva");
  EXPECT_EQ(Entries(store.personTable[mother].fams), (std::vector<Mrin>{family}));

  // A spouse family that was deleted before lets its children go too.
  const Rin father = NewPerson(store, "Johann", "Maier", 'M');
  const Rin wife = NewPerson(store, "Ida", "Roth", 'F');
  const Mrin earlier = NewFamily(store, father, wife, {daughter});
  store.familyTable[earlier].flags = 0;
  EXPECT_TRUE(Delete(father, MessageAnswer::Yes));
  EXPECT_EQ(store.familyTable[earlier].wife, wife);
  EXPECT_TRUE(store.personTable[daughter].famc.Empty());
}

TEST_F(DeletePersonTest, FamilyWithOneSpouseLeftKeepsItsChildren) {
  const Rin grandfather = NewPerson(store, "Josef", "Maier", 'M');
  const Rin father = NewPerson(store, "Johann", "Maier", 'M');
  const Rin uncle = NewPerson(store, "Paul", "Maier", 'M');
  const Rin mother = NewPerson(store, "Eva", "Huber", 'F');
  const Rin child = NewPerson(store, "Karl", "Maier", 'M');
  const Mrin parents = NewFamily(store, grandfather, 0, {father, uncle, father});
  const Mrin family = NewFamily(store, father, mother, {child});

  EXPECT_TRUE(Delete(father, MessageAnswer::Yes));
  EXPECT_EQ(store.familyTable[family].husband, 0);
  EXPECT_EQ(store.familyTable[family].wife, mother);
  EXPECT_TRUE(store.familyTable[family].flags & PresentFlag);
  EXPECT_EQ(Entries(store.personTable[child].famc), (std::vector<Mrin>{family}));
  EXPECT_EQ(Entries(store.personTable[mother].fams), (std::vector<Mrin>{family}));
  // The person leaves its parents' children, also where it was listed twice.
  EXPECT_EQ(Entries(store.familyTable[parents].children), (std::vector<Rin>{uncle}));
  EXPECT_TRUE(store.familyTable[parents].flags & PresentFlag);

  // The wife goes too: now the family has no spouse and lets the child go.
  EXPECT_TRUE(Delete(mother, MessageAnswer::Yes));
  EXPECT_EQ(store.familyTable[family].flags, 0u);
  EXPECT_TRUE(store.personTable[child].famc.Empty());
}

TEST_F(DeletePersonTest, LogsThePersonAsItWasAndLeavesTheReportAlone) {
  const Rin johann = NewPerson(store, "Johann", "Maier", 'M');
  SetEvent(store, johann, Event::Birth, Date(1801, 5, 12), "Ulm");
  SetEvent(store, johann, Event::Death, Date(1870), "Wien");
  diagnostics.ReportAppend("Bericht %d\r\n", 1);
  const std::string report(diagnostics.ReportText());

  EXPECT_TRUE(Delete(johann, MessageAnswer::Yes));
  EXPECT_EQ(Log(), "Person gelöscht\n[1] Johann Maier  * 12 MAI 1801 Ulm + 1870 Wien\r\n");
  EXPECT_EQ(diagnostics.ReportText(), report);
  EXPECT_EQ(diagnostics.ReportLength(), static_cast<std::int32_t>(report.size()));
  diagnostics.ReportAppend("%s", "weiter");
  EXPECT_EQ(diagnostics.ReportText(), report + "weiter");

  // Without dates the description names the first place instead.
  const Rin ida = NewPerson(store, "Ida", "Roth", 'F');
  SetEvent(store, ida, Event::Chr, PackedDate{}, "Augsburg");
  std::filesystem::remove(logPath);
  diagnostics.StartReport();
  EXPECT_TRUE(Delete(ida, MessageAnswer::Yes));
  EXPECT_EQ(Log(), "Person gelöscht\n[2] Ida Roth ~ Augsburg\r\n");
  EXPECT_EQ(diagnostics.ReportLength(), 0);
}

}  // namespace
}  // namespace korvane
