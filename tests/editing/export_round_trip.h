#pragma once

// What the link operations leave must survive the file: everything exported, loaded
// again, and compared link by link with the tables it came from.

#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "common/link_faults.h"
#include "common/test_support.h"
#include "export/export_command.h"
#include "gedcom/import_driver.h"
#include "platform/passive_shell.h"
#include "platform/scripted_ui.h"
#include "store/accessors.h"
#include "store/flags.h"

namespace korvane::edit_test {

struct LinkSnapshot {
  std::map<Rin, std::tuple<std::vector<Mrin>, std::vector<Mrin>>> persons;  // FAMS, FAMC
  std::map<Mrin, std::tuple<Rin, Rin, std::vector<Rin>>> families;          // HUSB, WIFE, CHIL
  bool operator==(const LinkSnapshot&) const = default;
};

inline LinkSnapshot LinksOf(const Store& store) {
  LinkSnapshot links;
  for (Rin rin = 1; rin <= store.PersonCount(); ++rin) {
    const Person& p = store.personTable[rin];
    if (PersonExists(store, rin)) {
      links.persons[rin] = {{p.fams.begin(), p.fams.end()}, {p.famc.begin(), p.famc.end()}};
    }
  }
  for (Mrin mrin = 1; mrin <= store.FamilyCount(); ++mrin) {
    const Family& f = store.familyTable[mrin];
    if (FamilyExists(store, mrin)) {
      links.families[mrin] = {f.husband, f.wife, {f.children.begin(), f.children.end()}};
    }
  }
  return links;
}

// The links as a load leaves them: it deletes families without husband and wife and with
// fewer than two children, and their children let them go.
inline LinkSnapshot AsLoaded(LinkSnapshot links) {
  for (auto it = links.families.begin(); it != links.families.end();) {
    const auto& [husband, wife, children] = it->second;
    if (husband != 0 || wife != 0 || children.size() >= 2) {
      ++it;
      continue;
    }
    for (const Rin child : children) std::erase(std::get<1>(links.persons[child]), it->first);
    it = links.families.erase(it);
  }
  return links;
}

inline std::string Describe(const LinkSnapshot& links) {
  std::string text;
  for (const auto& [rin, lists] : links.persons) {
    text += "I" + std::to_string(rin) + " FAMS";
    for (const Mrin m : std::get<0>(lists)) text += " " + std::to_string(m);
    text += " FAMC";
    for (const Mrin m : std::get<1>(lists)) text += " " + std::to_string(m);
    text += "\n";
  }
  for (const auto& [mrin, members] : links.families) {
    text += "F" + std::to_string(mrin) + " " + std::to_string(std::get<0>(members)) + "+" +
            std::to_string(std::get<1>(members)) + " CHIL";
    for (const Rin r : std::get<2>(members)) text += " " + std::to_string(r);
    text += "\n";
  }
  return text;
}

// Exports every present person of `store` into a new file of `folder` (the tables have no
// file of their own, as after "Neu"; offsets a test set are dropped), loads it again and returns
// what differs: empty when the reloaded tables hold the same links and none dangles. Selects
// everyone on the way.
inline std::string ExportAndReloadFaults(Store& store, const test::TempFolder& folder) {
  bool anyone = false;
  for (Rin rin = 1; rin <= store.PersonCount(); ++rin) {
    if (PersonExists(store, rin)) store.personTable[rin].flags |= SelectedFlag;
    anyone = anyone || PersonExists(store, rin);
    store.personTable[rin].recordOffset = 0;  // no file holds them: written from the fields
  }
  for (Family& family : store.familyTable) family.recordOffset = 0;
  if (!anyone) return "";  // a file without persons is no file to load
  const LinkSnapshot before = AsLoaded(LinksOf(store));
  ScriptedUi ui;
  Diagnostics diagnostics{ui};
  PassiveShell shell;
  LoadedFile file;
  LoadContext context{store, diagnostics, ui, shell, file, nullptr};
  const std::string path = folder.Path("rundweg.ged");
  if (!ExportTo(context, path)) return "export failed";

  Store reloaded;
  LoadedFile reloadedFile;
  LoadContext again{reloaded, diagnostics, ui, shell, reloadedFile, nullptr};
  if (!LoadGedFile(again, path)) return "reload failed:\n" + test::ReadFile(path);
  std::string faults;
  for (const std::string& fault : test::LinkFaults(reloaded)) faults += fault + "\n";
  const LinkSnapshot after = LinksOf(reloaded);
  if (!(after == before)) faults += "before:\n" + Describe(before) + "after:\n" + Describe(after);
  if (!faults.empty()) faults += "file:\n" + test::ReadFile(path);
  return faults;
}

}  // namespace korvane::edit_test
