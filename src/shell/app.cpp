#include "shell/app.h"

#include <cstdio>

#include "editing/delete_person.h"
#include "export/export_command.h"
#include "shell/command_table.h"
#include "store/accessors.h"
#include "store/flags.h"
#include "views/current_person.h"

namespace korvane {
namespace {

constexpr const char* kEmptyStatus = "Verwende Menu:  DATEI / Importiere GED";

}  // namespace

App::App(Ui& ui, ShellView& view, Settings& settings)
    : ui_(ui), view_(view), settings_(settings) {}

App::~App() { personList_.WaitUntilSortReady(); }

void App::Start() {
  SetStatus(0, kEmptyStatus);
  diagnostics_.StartReport();
  SetDataCommandsEnabled(false);
  recentFiles_.Load(settings_);
  view_.SetRecentFiles(recentFiles_.Paths());
}

void App::Shutdown() {
  personList_.WaitUntilSortReady();
  recentFiles_.Save(settings_);
  if (!diagnostics_.LogPath().empty()) std::remove(diagnostics_.LogPath().c_str());
}

void App::SetDataCommandsEnabled(bool enabled) {
  dataCommandsEnabled_ = enabled;
  for (const Command& command : Commands()) {
    if (command.group == CommandGroup::kData) view_.SetCommandEnabled(command.id, enabled && !busy_);
    if (command.group == CommandGroup::kNever) view_.SetCommandEnabled(command.id, false);
  }
}

// While a file is read or written, everything that would change or reload the data is
// greyed: a second load would free the tables under the reader.
void App::SetBusy(bool busy) {
  busy_ = busy;
  for (const Command& command : Commands()) {
    const bool changesData = command.group != CommandGroup::kNever && command.id != kCmdHelp &&
                             command.id != kCmdInfo && command.id != kCmdSoundex;
    if (!changesData) continue;
    const bool enabled = command.group == CommandGroup::kData ? dataCommandsEnabled_ : true;
    view_.SetCommandEnabled(command.id, enabled && !busy);
  }
}

// A file operation: while it runs, the tabs show nothing (the tables are being filled or
// read); afterwards the active tab shows the data as they are now.
void App::RunFileOperation(const std::function<void()>& operation) {
  SetBusy(true);
  operation();
  SetBusy(false);
  if (store_.PersonCount() > 0) ShowTab(state_.activeTab);
}

void App::LoadFile(const std::string& path) {
  if (!busy_) RunFileOperation([&] { LoadGedFile(context_, path); });
}

bool App::ConfirmDiscardChanges() {
  const ChangeCounters& c = store_.changeCounters;
  const int added = store_.PersonCount() - store_.baselinePersonCount;
  if (c.merges == 0 && c.corrections == 0 && c.replacements == 0 && added <= 0) return true;
  std::string text = "Änderungen wurden noch nicht exportiert!\r\n(";
  auto part = [&text](int count, const char* what) {
    if (count <= 0) return;
    text += ' ';
    text += std::to_string(count);
    text += what;
  };
  part(c.merges, " Verschmelzungen");
  part(c.corrections, " Korrekturen");
  part(c.replacements, " Ersetzungen");
  part(added, " Neu");
  text += " )\r\n\r\nAlle Änderungen verwerfen?";
  if (ui_.MessageBox(text, "ÄNDERUNGEN VERWERFEN", MessageButtons::YesNo,
                     MessageIcon::Exclamation) != MessageAnswer::Yes) {
    return false;
  }
  // The changes are given up, not the data: a cancelled file dialog afterwards must not
  // leave the program empty.
  store_.changeCounters = ChangeCounters{};
  store_.baselinePersonCount = store_.PersonCount();
  return true;
}

void App::RunCommand(int id) {
  const Command* command = FindCommand(id);
  if (command == nullptr) return;
  if (busy_ && id != kCmdHelp && id != kCmdInfo) return;
  if (command->group == CommandGroup::kData && !dataCommandsEnabled_) return;
  switch (id) {
    case kCmdNew:
      if (!ConfirmDiscardChanges()) return;
      ResetToEmpty();
      store_.Clear();
      SetStatus(0, "Verwende Menu:  BEARBEITEN / Hinzufügen");
      EnableDataCommands();
      RebuildCompletionLists();
      return;
    case kCmdImport: {
      if (!ConfirmDiscardChanges()) return;
      const auto path = ui_.ChooseFile({"GED Dateien (*.ged)", "*.ged", ".ged", true});
      if (path) LoadFile(*path);
      return;
    }
    case kCmdPartialExport: {
      if (state_.selectedCount == 0) {
        diagnostics_.ErrorBox("Keine Personen wurden ausgewählt");
        return;
      }
      bool exported = false;
      RunFileOperation([&] { exported = ExportCommand(context_); });
      // The list shown afterwards fills the status bar; the export's line comes first.
      if (exported) SetStatus(0, file_.displayName + " exportiert");
      return;
    }
    case kCmdQuit:
      if (ConfirmDiscardChanges()) view_.CloseWindow();
      return;
    case kCmdDeletePerson:
      DeleteCurrentPerson(state_.activeTab);
      return;
    case kCmdSelectPerson:
    case kCmdUnselectPerson:
      SetSelected(state_.currentRin, id == kCmdSelectPerson);
      state_.activeTab = kTabSelection;
      ShowTab(state_.activeTab);
      return;
    case kCmdSelectAll:
    case kCmdUnselectAll:
      SelectAll(id == kCmdSelectAll);
      state_.activeTab = id == kCmdSelectAll ? kTabSelection : kTabList;
      ShowTab(state_.activeTab);
      return;
    case kCmdHelp:
      view_.OpenHelp();
      return;
    case kCmdInfo:
      view_.ShowAbout();
      return;
    default:
      if (id >= kCmdRecentFile1 && id <= kCmdRecentFile4) {
        const std::string path = recentFiles_.At(id - kCmdRecentFile1);
        if (!path.empty() && ConfirmDiscardChanges()) LoadFile(path);
      }
      return;  // commands still to come do nothing
  }
}

void App::SetSelected(Rin rin, bool selected) {
  if (!PersonExists(store_, rin)) return;
  std::uint32_t& flags = store_.personTable[rin].flags;
  if (((flags & SelectedFlag) != 0) == selected) return;
  flags ^= SelectedFlag;
  state_.selectedCount += selected ? 1 : -1;
}

void App::SelectAll(bool selected) {
  for (Rin rin = 1; rin <= store_.PersonCount(); ++rin) SetSelected(rin, selected);
}

void App::DeleteCurrentPerson(int tabAfterwards) {
  personList_.WaitUntilSortReady();
  const Rin rin = state_.currentRin;
  const bool wasSelected =
      PersonExists(store_, rin) && (store_.personTable[rin].flags & SelectedFlag) != 0;
  if (!DeletePerson(store_, diagnostics_, ui_, rin)) {
    ShowTab(state_.activeTab);
    return;
  }
  if (wasSelected) --state_.selectedCount;
  personList_.Invalidate();
  ++state_.currentRin;
  ShowTab(tabAfterwards);
}

bool App::RequestTab(int tab) {
  if (store_.PersonCount() == 0) {
    ui_.MessageBox("Bitte erst DATEI / Importieren\noder\nBEARBEITEN / Hinzufügen/ Neue Person",
                   "KEINE DATEN", MessageButtons::Ok, MessageIcon::Information);
    return false;
  }
  if (tab == kTabSelection) {
    bool anySelected = false;
    for (Rin rin = 1; rin <= store_.PersonCount() && !anySelected; ++rin) {
      anySelected = (store_.personTable[rin].flags & SelectedFlag) != 0;
    }
    if (!anySelected) {
      ui_.MessageBox("Bitte erst SUCHEN / Personen oder Ereignisse", "KEINE DATEN FÜR AUSWAHL",
                     MessageButtons::Ok, MessageIcon::Information);
      return false;
    }
  }
  ShowTab(tab);
  return true;
}

void App::ShowTab(int tab) {
  state_.activeTab = tab;
  view_.SelectTab(tab);
  // The current person must be one that exists.
  if (state_.currentRin < 0 || state_.currentRin > store_.PersonCount()) state_.currentRin = 1;
  while (state_.currentRin < store_.PersonCount() && !PersonExists(store_, state_.currentRin)) {
    ++state_.currentRin;
  }
  if (busy_) {  // the tables are being filled: nothing to show yet
    view_.ShowView(TabView::kNone);
    return;
  }
  switch (tab) {
    case kTabList:
    case kTabSelection:
      ShowPersonList(tab == kTabSelection);
      return;
    case kTabReport:
      view_.ShowView(TabView::kReport);
      return;
    default:
      view_.ShowView(TabView::kNone);  // views still to come
      return;
  }
}

void App::ShowPersonList(bool selectedOnly) {
  if (selectedOnly || personList_.NeedsRebuild(store_.PersonCount())) {
    personList_.Build(selectedOnly);
  }
  if (personList_.RowCount() == 0) {
    view_.ShowView(TabView::kNone);
    return;
  }
  const auto texts =
      selectedOnly ? SelectionStatusTexts(personList_.RowCount(), state_.currentRin)
                   : ListStatusTexts(file_.displayName, personList_.RowCount(),
                                     store_.changeCounters, state_.currentRin);
  for (int part = 0; part < 3; ++part) SetStatus(part, texts[part]);
  view_.ShowView(TabView::kPersonList);
}

void App::ListRowActivated(int row) {
  if (MakeCurrent(personList_, row, state_.currentRin, state_.previousRin)) {
    SetStatus(2, RinStatusText(state_.currentRin));
  }
}

void App::ListHeaderClicked(int column) { personList_.HeaderClicked(column); }

std::optional<int> App::ListKeyTyped(int keyCode, int currentRow, std::int64_t nowSeconds) {
  const std::optional<int> row = personList_.KeyTyped(keyCode, currentRow, nowSeconds);
  if (row) ListRowActivated(*row);
  return row;
}

// The Delete key of the list returns to "Liste" also from "Auswahl".
void App::ListDeleteKey() {
  if (!busy_ && dataCommandsEnabled_) DeleteCurrentPerson(kTabList);
}

void App::ResetToEmpty() {
  personList_.WaitUntilSortReady();
  SetDataCommandsEnabled(false);
  view_.ShowView(TabView::kNone);
  SetStatus(0, kEmptyStatus);
  SetStatus(1, "");
  SetStatus(2, "");
  diagnostics_.StartReport();
  state_.reportMode = 0;
  state_.selectedCount = 0;
  state_.currentRin = 1;
  store_.changeCounters = ChangeCounters{};
  personList_.Invalidate();
}

void App::UpdateRecentFiles(std::string_view path) {
  recentFiles_.Add(path);
  view_.SetRecentFiles(recentFiles_.Paths());
}

// After an export the selection and the changes are gone (the export cleared the flags
// and counters in the data); the views start over on the first tab.
void App::ResetViewState() {
  diagnostics_.StartReport();
  state_.selectedCount = 0;
  state_.reportMode = 0;
  state_.currentRin = 1;
  personList_.Invalidate();
  ShowTab(kTabList);
}

void App::ShowStatusAfterFileOperation() {
  if (state_.activeTab != kTabSelection) {
    SetStatus(0, file_.displayName + " geladen");
    SetStatus(1, "");
  } else {
    SetStatus(0, "Auswahl");
    SetStatus(1, std::to_string(personList_.RowCount()) + " Personen\t");
  }
}

}  // namespace korvane
