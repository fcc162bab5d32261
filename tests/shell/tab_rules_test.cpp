#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/command_ids.h"
#include "shell_fixture.h"

namespace korvane::shell_test {
namespace {

TEST(TabRules, WithoutDataEveryTabIsRefused) {
  Shell s;
  for (int tab = 0; tab < kTabCount; ++tab) {
    EXPECT_FALSE(s.app.RequestTab(tab)) << tab;
    ASSERT_EQ(s.ui.Boxes().size(), static_cast<std::size_t>(tab + 1));
    const ScriptedUi::ShownBox& box = s.ui.Boxes().back();
    EXPECT_EQ(box.title, "KEINE DATEN");
    EXPECT_EQ(box.text,
              "Bitte erst DATEI / Importieren\noder\nBEARBEITEN / Hinzufügen/ Neue Person");
    EXPECT_EQ(box.buttons, MessageButtons::Ok);
    EXPECT_EQ(box.icon, MessageIcon::Information);
  }
  EXPECT_TRUE(s.view.selectedTabs.empty());
  EXPECT_EQ(s.app.state().activeTab, 0);
}

TEST(TabRules, TheSelectionTabNeedsASelectedPersonTheLastOneIncluded) {
  Shell s;
  s.Load();
  s.ui.ClearBoxes();
  EXPECT_FALSE(s.app.RequestTab(kTabSelection));
  ASSERT_EQ(s.ui.Boxes().size(), 1u);
  EXPECT_EQ(s.ui.Boxes()[0].title, "KEINE DATEN FÜR AUSWAHL");
  EXPECT_EQ(s.ui.Boxes()[0].text, "Bitte erst SUCHEN / Personen oder Ereignisse");
  EXPECT_EQ(s.ui.Boxes()[0].icon, MessageIcon::Information);
  EXPECT_EQ(s.app.state().activeTab, kTabList);

  s.app.store().personTable[6].flags |= SelectedFlag;
  s.app.state().currentRin = 6;
  EXPECT_TRUE(s.app.RequestTab(kTabSelection));
  EXPECT_EQ(s.ui.Boxes().size(), 1u);
  EXPECT_EQ(s.app.state().activeTab, kTabSelection);
  EXPECT_EQ(s.view.selectedTabs.back(), kTabSelection);
  EXPECT_EQ(s.view.LastView(), TabView::kPersonList);
  EXPECT_EQ(s.app.personList().RowCount(), 1);
  for (int part = 0; part < 3; ++part) {
    EXPECT_EQ(s.ui.StatusText(part), (Paths{"Auswahl", "1 Personen\t", "RIN: 6"}[part]));
  }
}

TEST(TabRules, EachTabShowsItsViewAroundAPresentCurrentPerson) {
  Shell s;
  s.Load();
  const struct {
    int tab;
    TabView view;
  } tabs[] = {{0, TabView::kPersonList}, {2, TabView::kNone},  {3, TabView::kNone},
              {4, TabView::kNone},       {5, TabView::kNone},  {6, TabView::kNone},
              {7, TabView::kNone},       {8, TabView::kReport}};
  for (const auto& t : tabs) {
    EXPECT_TRUE(s.app.RequestTab(t.tab));
    EXPECT_EQ(s.app.state().activeTab, t.tab);
    EXPECT_EQ(s.view.selectedTabs.back(), t.tab);
    EXPECT_EQ(s.view.LastView(), t.view) << t.tab;
  }

  // RIN 3 and 5 are absent, 6 is the last.
  const struct {
    Rin before;
    Rin after;
  } rins[] = {{-4, 1}, {0, 1}, {1, 1}, {3, 4}, {5, 6}, {6, 6}, {7, 1}, {1000, 1}};
  for (const auto& r : rins) {
    s.app.state().currentRin = r.before;
    s.app.ShowTab(kTabTree);
    EXPECT_EQ(s.app.state().currentRin, r.after) << r.before;
  }
  s.app.state().currentRin = 4;
  s.app.ShowTab(kTabList);
  EXPECT_EQ(s.ui.StatusText(0), "familie.ged geladen");
  EXPECT_EQ(s.ui.StatusText(1), "4 Personen\t");
  EXPECT_EQ(s.ui.StatusText(2), "RIN: 4");
}

TEST(ConfirmDiscardChanges, AsksOnlyWhenSomethingWasNotExported) {
  Shell s;
  s.Load();
  EXPECT_TRUE(s.app.ConfirmDiscardChanges());
  EXPECT_TRUE(s.ui.Boxes().empty());

  const struct {
    ChangeCounters counters;
    int added;
    const char* parenthesis;
  } cases[] = {
      {{2, 0, 0}, 3, "( 2 Verschmelzungen 3 Neu )"},
      {{0, 1, 4}, 0, "( 1 Korrekturen 4 Ersetzungen )"},
      {{5, 6, 7}, 1, "( 5 Verschmelzungen 6 Korrekturen 7 Ersetzungen 1 Neu )"},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.parenthesis);
    Store& store = s.app.store();
    store.changeCounters = c.counters;
    for (int i = 0; i < c.added; ++i) store.AddPerson();
    const Rin persons = store.PersonCount();
    s.ui.ClearBoxes();
    s.ui.QueueAnswer(MessageAnswer::No);
    EXPECT_FALSE(s.app.ConfirmDiscardChanges());
    ASSERT_EQ(s.ui.Boxes().size(), 1u);
    const ScriptedUi::ShownBox& box = s.ui.Boxes()[0];
    EXPECT_EQ(box.text, std::string("Änderungen wurden noch nicht exportiert!\r\n") +
                            c.parenthesis + "\r\n\r\nAlle Änderungen verwerfen?");
    EXPECT_EQ(box.title, "ÄNDERUNGEN VERWERFEN");
    EXPECT_EQ(box.buttons, MessageButtons::YesNo);
    EXPECT_EQ(box.icon, MessageIcon::Exclamation);
    EXPECT_EQ(store.changeCounters.merges, c.counters.merges);
    EXPECT_EQ(store.changeCounters.replacements, c.counters.replacements);
    EXPECT_EQ(store.PersonCount(), persons);

    // Yes gives up the changes but keeps the data: the file dialog that usually follows
    // may still be cancelled.
    s.ui.QueueAnswer(MessageAnswer::Yes);
    EXPECT_TRUE(s.app.ConfirmDiscardChanges());
    EXPECT_EQ(store.changeCounters.merges, 0);
    EXPECT_EQ(store.changeCounters.corrections, 0);
    EXPECT_EQ(store.changeCounters.replacements, 0);
    EXPECT_EQ(store.PersonCount(), persons);
    EXPECT_TRUE(s.Present(1));
    EXPECT_TRUE(s.app.ConfirmDiscardChanges());
    EXPECT_EQ(s.ui.Boxes().size(), 2u);
  }
}

}  // namespace
}  // namespace korvane::shell_test
