#include "shell/app.h"

#include "shell/change_guard.h"
#include "shell/command_table.h"
#include "shell/tab_table.h"
#include "store/accessors.h"
#include "store/flags.h"
#include "views/current_person.h"

namespace korvane {
namespace {

constexpr const char* kEmptyStatus = "Verwende Menu:  DATEI / Importiere GED";
constexpr const char* kProgramName = "Korvane";

}  // namespace

App::App(Ui& ui, ShellView& view, Settings& settings, EditDialogs& dialogs)
    : ui_(ui), view_(view), settings_(settings), dialogs_(dialogs) {}

App::~App() { personList_.WaitUntilSortReady(); }

void App::Start() {
  SetStatus(0, kEmptyStatus);
  diagnostics_.StartReport();
  ShowFileInTitle();
  SetDataCommandsEnabled(false);
  recentFiles_.Load(settings_);
  view_.SetRecentFiles(recentFiles_.Paths());
}

void App::Shutdown() {
  personList_.WaitUntilSortReady();
  recentFiles_.Save(settings_);
  RemoveProgramLog();
}

// The log belongs to the session of one file and goes when the session ends.
void App::RemoveProgramLog() {
  if (!diagnostics_.LogPath().empty()) context_.files.Remove(diagnostics_.LogPath());
  diagnostics_.SetLogPath("");
}

bool App::CommandUsable(const Command& command) const {
  if (command.handler == nullptr || command.rules.never) return false;
  if (command.rules.needsData && !dataCommandsEnabled_) return false;
  return command.rules.whileBusy || !busy_;
}

bool App::CommandEnabled(int id) const {
  const Command* command = FindCommand(id);
  return command != nullptr && CommandUsable(*command);
}

void App::RefreshCommandStates() {
  for (const Command& command : Commands()) {
    view_.SetCommandEnabled(command.id, CommandUsable(command));
  }
}

void App::RunCommand(int id) {
  const Command* command = FindCommand(id);
  if (command == nullptr || !CommandUsable(*command)) return;
  // The presorting thread reads the tables; nothing may change them under it.
  if (command->rules.changesData) personList_.WaitUntilSortReady();
  command->handler(*this, id);
}

void App::SetDataCommandsEnabled(bool enabled) {
  dataCommandsEnabled_ = enabled;
  RefreshCommandStates();
}

// While a file is read or written, everything that would change or reload the data is
// greyed: a second load would free the tables under the reader.
void App::SetBusy(bool busy) {
  busy_ = busy;
  RefreshCommandStates();
}

void App::RunFileOperation(const std::function<void()>& operation) {
  SetBusy(true);
  operation();
  SetBusy(false);
  if (store_.PersonCount() > 0) ShowTab(state_.activeTab);
}

void App::LoadFile(const std::string& path) {
  if (!busy_) RunFileOperation([&] { LoadGedFile(context_, path); });
}

void App::LoadDroppedFile(const std::string& path) {
  if (!busy_ && ConfirmDiscardChanges()) LoadFile(path);
}

bool App::CloseRequested() {
  if (busy_) return false;  // the reader or writer still runs below this call
  return ConfirmDiscardChanges();
}

// The answer changes nothing: the data and their changes stay until a load or "Neu"
// replaces them, so a file dialog cancelled after "Yes" leaves them to be asked about
// again.
bool App::ConfirmDiscardChanges() {
  const PendingChanges pending = CountPendingChanges(store_, file_.baselineFamilyCount);
  if (!pending.Any()) return true;
  return ui_.MessageBox(DiscardQuestion(pending), "ÄNDERUNGEN VERWERFEN", MessageButtons::YesNo,
                        MessageIcon::Exclamation) == MessageAnswer::Yes;
}

void App::ForgetData() {
  personList_.WaitUntilSortReady();
  store_.Clear();
  file_ = LoadedFile{};
  RemoveProgramLog();
}

std::string App::DialogFolder() const {
  if (!file_.path.empty()) return FolderOf(file_.path);
  return FolderOf(recentFiles_.At(0));
}

void App::ShowFileInTitle() {
  view_.SetTitle(file_.displayName.empty() || store_.PersonCount() == 0
                     ? std::string(kProgramName)
                     : file_.displayName + " – " + kProgramName);
}

EditSession App::Editing() {
  return {store_, diagnostics_, ui_, dialogs_, completions_, state_, [this] {
            personList_.WaitUntilSortReady();
          }};
}

void App::RunEditCommand(int id, Rin subject, int tabAfterwards) {
  EditSession session = Editing();
  ApplyEditOutcome(DispatchEditCommand(session, id, subject), tabAfterwards);
}

void App::ApplyEditOutcome(const EditOutcome& outcome, int tabAfterwards) {
  if (outcome.enableDataCommands) EnableDataCommands();
  if (outcome.rebuildPersonList) personList_.Invalidate();
  // The next present person becomes current; behind the last one, the first.
  if (outcome.personDeleted && !PersonExists(store_, state_.currentRin)) ++state_.currentRin;
  ShowTab(outcome.showTab.value_or(tabAfterwards >= 0 ? tabAfterwards : state_.activeTab));
}

void App::RebuildCompletionLists() { BuildCompletionLists(store_, completions_); }

bool App::RequestTab(int tab) {
  if (tab < 0 || tab >= kTabCount) return false;
  std::optional<TabRefusal> refusal;
  if (store_.PersonCount() == 0) {
    refusal = kNoDataRefusal;
  } else if (const TabRow& row = Tabs()[tab]; row.refusal != nullptr) {
    refusal = row.refusal(*this);
  }
  if (refusal) {
    ui_.MessageBox(refusal->text, refusal->title, MessageButtons::Ok, MessageIcon::Information);
    return false;
  }
  ShowTab(tab);
  return true;
}

void App::ShowTab(int tab) {
  if (tab < 0 || tab >= kTabCount) return;
  if (const TabRow& previous = Tabs()[state_.activeTab]; previous.hide != nullptr) {
    previous.hide(*this);
  }
  state_.activeTab = tab;
  view_.SelectTab(tab);
  // The current person must be one that exists.
  if (state_.currentRin < 0 || state_.currentRin > store_.PersonCount()) state_.currentRin = 1;
  while (state_.currentRin < store_.PersonCount() && !PersonExists(store_, state_.currentRin)) {
    ++state_.currentRin;
  }
  const TabRow& row = Tabs()[tab];
  if (busy_ || row.show == nullptr) {  // the tables are being filled, or no view yet
    view_.ShowView(TabView::kNone);
    return;
  }
  row.show(*this);
}

void App::ShowPersonList(bool selectedOnly) {
  if (selectedOnly || personList_.NeedsRebuild(store_.PersonCount())) {
    personList_.Build(selectedOnly);
  }
  if (personList_.RowCount() == 0) {
    view_.ShowView(TabView::kNone);
    return;
  }
  const auto texts = selectedOnly ? SelectionStatusTexts(personList_.RowCount(), state_.currentRin)
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

void App::ListRowsHighlighted(const std::vector<int>& rows) {
  state_.highlightedRins.clear();
  for (const int row : rows) {
    if (const Rin rin = personList_.RinAt(row); rin > 0) state_.highlightedRins.push_back(rin);
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
  if (!CommandEnabled(kCmdDeletePerson)) return;
  RunEditCommand(kCmdDeletePerson, state_.currentRin, kTabList);
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
  state_.highlightedRins.clear();
  store_.changeCounters = ChangeCounters{};
  personList_.Invalidate();
  view_.SetTitle(kProgramName);
}

void App::UpdateRecentFiles(std::string_view path) {
  recentFiles_.Add(path);
  view_.SetRecentFiles(recentFiles_.Paths());
  ShowFileInTitle();
}

// After an export the selection and the changes are gone (the export cleared the flags
// and counters in the data); the views start over on the first tab.
void App::ResetViewState() {
  diagnostics_.StartReport();
  state_.selectedCount = 0;
  state_.reportMode = 0;
  state_.currentRin = 1;
  state_.highlightedRins.clear();
  personList_.Invalidate();
  ShowFileInTitle();  // the exported file is the current one now
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
