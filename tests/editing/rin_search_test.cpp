#include "editing/rin_search.h"

#include <gtest/gtest.h>

#include "../store/store_fixture.h"
#include "store/accessors.h"

namespace korvane {
namespace {

using store_test::Date;
using store_test::Event;
using store_test::NewFamily;
using store_test::NewPerson;
using store_test::SetEvent;

std::vector<std::string> Row(const RinSearchDialog& dialog, int row) {
  return {dialog.CellText(row, kRinSearchRinColumn), dialog.CellText(row, kRinSearchNameColumn),
          dialog.CellText(row, kRinSearchDateColumn)};
}

TEST(RinSearchDialog, RowTextsTakeTheFirstYearThereIs) {
  Store store;
  const Rin born = NewPerson(store, "Hans", "Meier");
  SetEvent(store, born, Event::Death, Date(1910));
  SetEvent(store, born, Event::Birth, Date(1850, 3, 12));
  const Rin christened = NewPerson(store, nullptr, "Roth");
  SetEvent(store, christened, Event::Chr, Date(851));
  const Rin buried = NewPerson(store, "Anna", nullptr, 'F');
  SetEvent(store, buried, Event::Burial, Date(1901));
  const Rin married = NewPerson(store, "Karl", "Huber", 'M');
  NewFamily(store, married, 0, {}, Date(1875));
  const Rin undated = NewPerson(store, nullptr, nullptr);
  store.EnsurePersonCount(123456);
  store.personTable[123456].flags = PresentFlag;

  const RinSearchDialog dialog(store, {born, christened, buried, married, undated, 123456});
  using Texts = std::vector<std::string>;
  EXPECT_EQ(Row(dialog, 0), (Texts{"1     ", "Meier, Hans", "* 1850"}));
  EXPECT_EQ(Row(dialog, 1), (Texts{"2     ", "Roth", "*  851"}));
  EXPECT_EQ(Row(dialog, 2), (Texts{"3     ", ", Anna", "+ 1901"}));
  EXPECT_EQ(Row(dialog, 3), (Texts{"4     ", "Huber, Karl", "& 1875"}));
  EXPECT_EQ(Row(dialog, 4), (Texts{"5     ", "", ""}));
  EXPECT_EQ(Row(dialog, 5), (Texts{"123456", "", ""}));
  EXPECT_EQ(Row(dialog, 6), (Texts{"", "", ""}));
  EXPECT_EQ(Row(dialog, -1), (Texts{"", "", ""}));
  EXPECT_EQ(dialog.CellText(0, 3), "");
  EXPECT_EQ(dialog.RinAt(6), 0);
}

TEST(RinSearchDialog, PersonsByNameIsTheListOrderOfPresentPersons) {
  Store store;
  NewPerson(store, "Hans", "Meier");
  NewPerson(store, "Anna", "Meier");
  const Rin gone = NewPerson(store, "Otto", "Zander");
  NewPerson(store, "Eva", "Ärmel");
  NewPerson(store, "Max", nullptr);
  store.personTable[gone].flags = 0;
  // The list's presorted name order runs from Z to A; a person without surname goes last.
  EXPECT_EQ(PersonsByName(store), (std::vector<Rin>{1, 2, 4, 5}));
  EXPECT_EQ(PersonsByName(Store{}), std::vector<Rin>{});
}

TEST(RinSearchDialog, SearchesByNumberOrByNameFromTheTop) {
  Store store;
  const Rin mueller = NewPerson(store, "Jörg", "Müller");
  const Rin meierhof = NewPerson(store, "Hans", "Meierhof");
  const Rin hans = NewPerson(store, "Hans", "Meier");
  const Rin heinz = NewPerson(store, "Heinz Otto", "Meier");
  const Rin anna = NewPerson(store, "Anna", nullptr);
  RinSearchDialog dialog(store, {mueller, meierhof, heinz, hans, anna});
  EXPECT_EQ(dialog.SelectedRow(), std::nullopt);
  EXPECT_EQ(dialog.ChosenText(), "");
  EXPECT_EQ(dialog.Details(), "");

  // Letter case and accents do not count; the first row from the top wins.
  EXPECT_EQ(dialog.TextChanged("mül"), 0);
  EXPECT_EQ(dialog.TextChanged("MUL"), 0);
  EXPECT_EQ(dialog.TextChanged("mei"), 1);
  EXPECT_EQ(dialog.ChosenText(), "2");
  // With given names the surname must be the whole one typed.
  EXPECT_EQ(dialog.TextChanged("Meier, H"), 2);
  EXPECT_EQ(dialog.TextChanged("meier,,  hans"), 3);
  EXPECT_EQ(dialog.TextChanged("Meier Heinz O"), 2);
  EXPECT_EQ(dialog.TextChanged(", An"), 4);
  EXPECT_EQ(dialog.SelectedRow(), 4);
  EXPECT_EQ(dialog.ChosenText(), "5");

  // A number finds its RIN wherever the row is.
  EXPECT_EQ(dialog.TextChanged("3"), 3);
  EXPECT_EQ(dialog.ChosenText(), "3");
  EXPECT_EQ(dialog.TextChanged(""), 0);  // every surname begins with nothing

  // Nothing found: the row taken before stays, with its details.
  dialog.RowClicked(3);
  const std::string details = dialog.Details();
  EXPECT_EQ(dialog.TextChanged("Meierhof, Heinz"), std::nullopt);
  EXPECT_EQ(dialog.TextChanged("Mei, Hans"), std::nullopt);
  EXPECT_EQ(dialog.TextChanged("Schmidt"), std::nullopt);
  EXPECT_EQ(dialog.TextChanged("7"), std::nullopt);
  EXPECT_EQ(dialog.TextChanged("99999999999999"), std::nullopt);
  EXPECT_EQ(dialog.SelectedRow(), 3);
  EXPECT_EQ(dialog.ChosenText(), "3");
  EXPECT_EQ(dialog.Details(), details);

  dialog.RowClicked(5);
  dialog.RowClicked(-1);
  EXPECT_EQ(dialog.SelectedRow(), 3);
}

TEST(RinSearchDialog, DetailsShowNamesSexAndEvents) {
  Store store;
  const Rin rin = NewPerson(store, "Hans", "Meier", 'M');
  SetEvent(store, rin, Event::Birth, Date(1850, 5, 12), "Ulm");
  SetEvent(store, rin, Event::Chr, Date(0), "Söflingen");
  SetEvent(store, rin, Event::Death, Date(1910, 12));
  const Rin nameless = NewPerson(store, nullptr, "Roth");

  RinSearchDialog dialog(store, {nameless, rin});
  dialog.RowClicked(1);
  EXPECT_EQ(dialog.Details(),
            "RIN: 1\r\nHans Meier\r\nSex: M\r\n* 12 MAI 1850 Ulm\r\n~ Söflingen\r\n+ DEZ 1910\r\n");
  dialog.RowClicked(0);
  EXPECT_EQ(dialog.Details(), "RIN: 2\r\nRoth\r\nSex: \r\n");
}

}  // namespace
}  // namespace korvane
