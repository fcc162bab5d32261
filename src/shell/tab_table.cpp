#include "shell/tab_table.h"

#include "shell/app.h"
#include "store/flags.h"

namespace korvane {
namespace {

std::optional<TabRefusal> NoSelection(const App& app) {
  const Store& store = app.store();
  for (Rin rin = 1; rin <= store.PersonCount(); ++rin) {
    if (store.personTable[rin].flags & SelectedFlag) return std::nullopt;
  }
  return TabRefusal{"KEINE DATEN FÜR AUSWAHL", "Bitte erst SUCHEN / Personen oder Ereignisse"};
}

void ShowAllPersons(App& app) { app.ShowPersonList(false); }
void ShowSelectedPersons(App& app) { app.ShowPersonList(true); }
void ShowReport(App& app) { app.view().ShowView(TabView::kReport); }

constexpr TabRow kTabs[] = {
    {kTabList, "Liste", nullptr, ShowAllPersons, nullptr},
    {kTabSelection, "Auswahl", NoSelection, ShowSelectedPersons, nullptr},
    {kTabAncestors, "Ahnenliste", nullptr, nullptr, nullptr},
    {kTabBranches, "Familienzweige", nullptr, nullptr, nullptr},
    {kTabTree, "Baum", nullptr, nullptr, nullptr},
    {kTabHourglass, "Sanduhr", nullptr, nullptr, nullptr},
    {kTabFamily, "Familie", nullptr, nullptr, nullptr},
    {kTabPerson, "Person", nullptr, nullptr, nullptr},
    {kTabReport, "Bericht", nullptr, ShowReport, nullptr},
};
static_assert(std::size(kTabs) == kTabCount);

}  // namespace

std::span<const TabRow> Tabs() { return kTabs; }

}  // namespace korvane
