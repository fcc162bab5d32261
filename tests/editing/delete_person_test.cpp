#include "editing/delete_person.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../store/store_fixture.h"
#include "common/test_support.h"
#include "edit_fixture.h"
#include "platform/scripted_ui.h"
#include "store/flags.h"

namespace korvane {
namespace {

using store_test::Date;
using store_test::Event;
using store_test::NewFamily;
using store_test::NewPerson;
using store_test::SetEvent;
using Links = std::vector<std::int32_t>;

Links Of(const LinkList& list) { return {list.begin(), list.end()}; }

class DeletePersonTest : public ::testing::Test {
 protected:
  DeletePersonTest() { diagnostics.SetLogPath(log); }
  void TearDown() override {
    EXPECT_EQ(edit_test::LinkFaults(store), std::vector<std::string>{});
    EXPECT_EQ(edit_test::ExportAndReloadFaults(store, folder), "");
  }

  bool Delete(Rin rin, MessageAnswer answer) {
    ui.QueueAnswer(answer);
    return DeletePerson(store, diagnostics, ui, rin);
  }

  test::TempFolder folder;
  const std::string log = folder.Path("korvane.log");
  ScriptedUi ui;
  Diagnostics diagnostics{ui};
  Store store;
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
  EXPECT_EQ(store.personTable[father].flags, flagsBefore);
  EXPECT_EQ(store.familyTable[family].husband, father);
  EXPECT_EQ(Of(store.familyTable[family].children), Links{child});
  EXPECT_EQ(test::ReadFile(log), "");
  // An absent name is asked about as an empty text.
  EXPECT_FALSE(Delete(child, MessageAnswer::No));
  EXPECT_EQ(ui.Boxes().back().text, "Soll  Maier [3] \r\ngelöscht werden?");
  // Nothing is asked for persons that do not exist.
  store.personTable[child].flags = 0;
  for (const Rin rin : {0, child, child + 1})
    EXPECT_FALSE(DeletePerson(store, diagnostics, ui, rin));
  EXPECT_EQ(ui.Boxes().size(), 2u);
  store.personTable[child].flags = PresentFlag;
}

TEST_F(DeletePersonTest, AFamilyGoesWithItsLastSpouseAndLetsItsChildrenGo) {
  const Rin father = NewPerson(store, "Johann", "Maier", 'M');
  const Rin mother = NewPerson(store, "Eva", "Huber", 'F');
  const Rin uncle = NewPerson(store, "Paul", "Maier", 'M');
  const Rin son = NewPerson(store, "Karl", "Maier", 'M');
  const Mrin parents = NewFamily(store, 0, 0, {father, uncle, father});
  const Mrin family = NewFamily(store, father, mother, {son});
  const Mrin fosterParents = NewFamily(store, 0, 0, {son});

  // With one spouse left the family stays and keeps its children. The person leaves its
  // parents' children, also where it was listed twice.
  EXPECT_TRUE(Delete(father, MessageAnswer::Yes));
  EXPECT_EQ(store.personTable[father].flags, 0u);
  EXPECT_EQ(store.familyTable[family].husband, 0);
  EXPECT_EQ(Of(store.personTable[son].famc), (Links{family, fosterParents}));
  EXPECT_EQ(Of(store.familyTable[parents].children), Links{uncle});
  EXPECT_STREQ(store.personTable[father].givenNames, "Johann");  // deleted records keep data

  // The last spouse takes the family along; its children stay and let it go.
  EXPECT_TRUE(Delete(mother, MessageAnswer::Yes));
  EXPECT_EQ(store.familyTable[family].flags, 0u);
  EXPECT_EQ(store.familyTable[family].wife, 0);
  EXPECT_EQ(Of(store.personTable[son].famc), Links{fosterParents});
  EXPECT_TRUE(store.personTable[son].flags & PresentFlag);
}

TEST_F(DeletePersonTest, LogsThePersonAsItWasAndLeavesTheReportAlone) {
  const Rin johann = NewPerson(store, "Johann", "Maier", 'M');
  SetEvent(store, johann, Event::Birth, Date(1801, 5, 12), "Ulm");
  SetEvent(store, johann, Event::Death, Date(1870), "Wien");
  diagnostics.ReportAppend("Bericht %d\r\n", 1);
  const std::string report(diagnostics.ReportText());

  EXPECT_TRUE(Delete(johann, MessageAnswer::Yes));
  EXPECT_EQ(test::ReadFile(log),
            "Person gelöscht\n[1] Johann Maier  * 12 MAI 1801 Ulm + 1870 Wien\r\n");
  EXPECT_EQ(diagnostics.ReportText(), report);
  diagnostics.ReportAppend("%s", "weiter");
  EXPECT_EQ(diagnostics.ReportText(), report + "weiter");
}

}  // namespace
}  // namespace korvane
