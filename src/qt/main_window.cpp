#include "qt/main_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMessageBox>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTabBar>
#include <QUrl>
#include <QVBoxLayout>

#include "editing/rin_search.h"
#include "qt/person_list_model.h"
#include "qt/person_list_view.h"
#include "qt/program_icon.h"
#include "qt/qt_edit_dialogs.h"
#include "qt/qt_ui.h"
#include "qt/rin_search_window.h"
#include "qt/soundex_window.h"
#include "shell/app.h"
#include "shell/command_table.h"
#include "shell/layout.h"
#include "shell/tab_table.h"

namespace korvane {

MainWindow::MainWindow(Settings& settings, QWidget* parent) : QMainWindow(parent) {
  setObjectName(QStringLiteral("mainWindow"));
  setWindowIcon(ProgramIcon());
  setWindowTitle(QStringLiteral("Korvane"));
  setAcceptDrops(true);
  BuildStatusBar();
  ui_ = std::make_unique<QtUi>(this, statusParts_, progressBar_);
  dialogs_ = std::make_unique<QtEditDialogs>(this);
  app_ = std::make_unique<App>(*ui_, *this, settings, *dialogs_);
  dialogs_->SetSearch([this] { return SearchPerson(); });
  BuildMenus();
  BuildCentralArea();
  app_->Start();
}

MainWindow::~MainWindow() {
  if (!shutDown_) app_->Shutdown();
}

QAction* MainWindow::Action(int id) const {
  const auto it = actions_.find(id);
  return it == actions_.end() ? nullptr : it->second;
}

QAction* MainWindow::CommandAction(int id) {
  if (QAction* existing = Action(id)) return existing;
  const Command* command = FindCommand(id);
  QString text = command ? ToQString(command->label) : QString::number(id);
  // Only keys that work are shown, and only they are bound.
  const std::string keyText = command ? KeyText(*command) : std::string();
  if (!keyText.empty()) text += QLatin1Char('\t') + ToQString(keyText);
  auto* action = new QAction(text, this);
  action->setObjectName(QStringLiteral("command%1").arg(id));
  if (!keyText.empty()) action->setShortcut(QKeySequence(ToQString(command->shortcut)));
  action->setEnabled(app_->CommandEnabled(id));
  connect(action, &QAction::triggered, this, [this, id] { app_->RunCommand(id); });
  actions_[id] = action;
  return action;
}

void MainWindow::AddEntries(QMenu* menu, const std::vector<MenuEntry>& entries) {
  for (const MenuEntry& entry : entries) {
    switch (entry.kind) {
      case MenuEntry::kCommand:
        if (entry.label.empty()) {
          menu->addAction(CommandAction(entry.id));
        } else {  // the same command under the label of this menu
          QAction* action = menu->addAction(ToQString(entry.label));
          const int id = entry.id;
          action->setEnabled(app_->CommandEnabled(id));
          connect(action, &QAction::triggered, this, [this, id] { app_->RunCommand(id); });
        }
        break;
      case MenuEntry::kSeparator:
        menu->addSeparator();
        break;
      case MenuEntry::kSubmenu:
        AddEntries(menu->addMenu(ToQString(entry.label)), entry.children);
        break;
      case MenuEntry::kRecentFiles:
        fileMenu_ = menu;
        recentFilesEnd_ = menu->addSeparator();
        break;
    }
  }
}

void MainWindow::BuildMenus() {
  // The context menus' commands exist from the start too, greyed or not like the others.
  for (const Command& command : Commands()) {
    if (command.id < kCmdRecentFile1 || command.id > kCmdRecentFile4) CommandAction(command.id);
  }
  for (const Menu& menu : MainMenus()) {
    QMenu* qmenu = menuBar()->addMenu(ToQString(menu.title));
    AddEntries(qmenu, menu.entries);
  }
  // The separator added for the recent files doubles the one of the table; keep one.
  if (recentFilesEnd_ != nullptr) {
    const QList<QAction*> items = fileMenu_->actions();
    const qsizetype at = items.indexOf(recentFilesEnd_);
    if (at + 1 < items.size() && items[at + 1]->isSeparator()) {
      fileMenu_->removeAction(items[at + 1]);
    }
  }
}

void MainWindow::BuildCentralArea() {
  auto* central = new QWidget(this);
  auto* layout = new QVBoxLayout(central);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);

  tabs_ = new QTabBar(central);
  tabs_->setObjectName(QStringLiteral("tabBar"));
  tabs_->setExpanding(false);
  tabs_->setDrawBase(true);
  tabs_->setStyleSheet(QStringLiteral(
      "QTabBar::tab { background: rgb(240,240,240); padding: 4px 14px; border: 1px solid "
      "rgb(200,200,200); border-bottom: none; }"
      "QTabBar::tab:selected { background: rgb(231,240,240); font-weight: bold; }"));
  for (const TabRow& tab : Tabs()) tabs_->addTab(ToQString(tab.title));
  connect(tabs_, &QTabBar::currentChanged, this, [this](int index) {
    if (!app_->RequestTab(index)) SelectTab(app_->state().activeTab);
  });
  layout->addWidget(tabs_);

  stack_ = new QStackedWidget(central);
  emptyView_ = new QWidget(stack_);
  emptyView_->setObjectName(QStringLiteral("emptyView"));
  auto* emptyLayout = new QVBoxLayout(emptyView_);
  emptyHint_ = new QLabel(
      QStringLiteral("Noch keine Daten geladen.\n\nDATEI / Importiere GED öffnet eine "
                     "GEDCOM-Datei –\noder ziehen Sie eine .ged-Datei in dieses Fenster."),
      emptyView_);
  emptyHint_->setObjectName(QStringLiteral("emptyHint"));
  emptyHint_->setAlignment(Qt::AlignCenter);
  emptyHint_->setStyleSheet(QStringLiteral("QLabel { color: rgb(110,110,110); }"));
  emptyLayout->addWidget(emptyHint_);
  listModel_ = std::make_unique<PersonListModel>(app_->personList());
  listView_ = new PersonListView(*app_, *listModel_, stack_);
  listView_->showContextMenu = [this](const QPoint& position) { ShowListContextMenu(position); };
  reportView_ = new QPlainTextEdit(stack_);
  reportView_->setObjectName(QStringLiteral("reportView"));
  reportView_->setReadOnly(true);
  reportView_->setLineWrapMode(QPlainTextEdit::NoWrap);
  reportView_->setStyleSheet(QStringLiteral("QPlainTextEdit { background: white; color: black; }"));
  stack_->addWidget(emptyView_);
  stack_->addWidget(listView_);
  stack_->addWidget(reportView_);
  layout->addWidget(stack_, 1);
  layout->addWidget(progressBar_);
  setCentralWidget(central);
}

void MainWindow::BuildStatusBar() {
  for (int part = 0; part < 3; ++part) {
    statusParts_[part] = new QLabel(this);
    statusParts_[part]->setObjectName(QStringLiteral("statusPart%1").arg(part));
    statusBar()->addWidget(statusParts_[part]);  // widths follow the window (resizeEvent)
  }
  progressBar_ = new QProgressBar(this);
  progressBar_->setObjectName(QStringLiteral("progressBar"));
  progressBar_->setMaximumHeight(17);
  progressBar_->setTextVisible(false);
  progressBar_->hide();  // placed above the status bar by BuildCentralArea
}

void MainWindow::ShowListContextMenu(const QPoint& position) {
  QMenu menu(this);
  AddEntries(&menu, ListContextMenu().entries);
  menu.exec(position);
}

void MainWindow::SetCommandEnabled(int id, bool enabled) {
  if (QAction* action = Action(id)) action->setEnabled(enabled);
}

void MainWindow::SetRecentFiles(const std::vector<std::string>& paths) {
  for (QAction* action : recentActions_) {
    fileMenu_->removeAction(action);
    actions_.erase(action->objectName().mid(7).toInt());
    action->deleteLater();
  }
  recentActions_.clear();
  if (paths.empty()) {
    auto* placeholder = new QAction(ToQString(kNoRecentFilesLabel), this);
    placeholder->setObjectName(QStringLiteral("command%1").arg(kCmdRecentFile4));
    placeholder->setEnabled(false);
    recentActions_.push_back(placeholder);
  }
  for (std::size_t k = 0; k < paths.size(); ++k) {
    const int id = kCmdRecentFile1 + static_cast<int>(k);
    auto* action = new QAction(ToQString(paths[k]), this);
    action->setObjectName(QStringLiteral("command%1").arg(id));
    action->setEnabled(app_->CommandEnabled(id));
    connect(action, &QAction::triggered, this, [this, id] { app_->RunCommand(id); });
    actions_[id] = action;
    recentActions_.push_back(action);
  }
  for (QAction* action : recentActions_) fileMenu_->insertAction(recentFilesEnd_, action);
}

void MainWindow::SelectTab(int tab) {
  const QSignalBlocker blocker(tabs_);
  tabs_->setCurrentIndex(tab);
}

void MainWindow::ShowView(TabView view) {
  switch (view) {
    case TabView::kNone:
      listModel_->Reset(false);
      emptyHint_->setVisible(app_->store().PersonCount() == 0 && !app_->Busy());
      stack_->setCurrentWidget(emptyView_);
      break;
    case TabView::kPersonList:
      stack_->setCurrentWidget(listView_);
      listView_->Refresh();
      listView_->setFocus();
      break;
    case TabView::kReport:
      listModel_->Reset(false);
      reportView_->setPlainText(ToQString(app_->diagnostics().ReportText()));
      stack_->setCurrentWidget(reportView_);
      break;
  }
}

void MainWindow::OpenHelp() {
  const QString page = QDir(QCoreApplication::applicationDirPath())
                           .filePath(QStringLiteral("help/korvane-hilfe.html"));
  QDesktopServices::openUrl(QUrl::fromLocalFile(page));
}

void MainWindow::ShowAbout() {
  QMessageBox box(this);
  box.setWindowTitle(QStringLiteral("INFO"));
  box.setIconPixmap(ProgramIcon().pixmap(48, 48));
  box.setText(QStringLiteral("Korvane  Version 2.7.9"));
  box.setStandardButtons(QMessageBox::Ok);
  box.exec();
}

std::optional<std::string> MainWindow::SearchPerson() {
  std::vector<Rin> rows = app_->personList().NameOrder();
  if (rows.empty()) rows = PersonsByName(app_->store());
  RinSearchDialog dialog(app_->store(), std::move(rows));
  RinSearchWindow window(dialog, this);
  return window.Run();
}

void MainWindow::ShowSoundexDialog() {
  SoundexWindow window(this);
  window.exec();
}

void MainWindow::SetTitle(std::string_view title) { setWindowTitle(ToQString(title)); }

// The frame's close button asks like "Beenden" does: nothing unexported goes unasked.
void MainWindow::closeEvent(QCloseEvent* event) {
  if (!shutDown_ && !app_->CloseRequested()) {
    event->ignore();
    return;
  }
  if (!shutDown_) {
    app_->Shutdown();
    shutDown_ = true;
  }
  event->accept();
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
  if (event->mimeData()->hasUrls() && !app_->Busy()) event->acceptProposedAction();
}

// The first dropped file is loaded; the loader checks its name.
void MainWindow::dropEvent(QDropEvent* event) {
  const QList<QUrl> urls = event->mimeData()->urls();
  if (urls.isEmpty() || !urls.first().isLocalFile()) return;
  event->acceptProposedAction();
  app_->LoadDroppedFile(urls.first().toLocalFile().toStdString());
}

void MainWindow::resizeEvent(QResizeEvent* event) {
  QMainWindow::resizeEvent(event);
  if (listView_ != nullptr) listView_->ResizeColumns();
  const std::array<int, 3> ends = StatusPartEnds(width());
  for (int part = 0, start = 0; part < 3; start = ends[part++]) {
    statusParts_[part]->setFixedWidth(std::max(0, ends[part] - start - 8));
  }
}

}  // namespace korvane
