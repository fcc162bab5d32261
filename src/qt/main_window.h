#pragma once

#include <QMainWindow>
#include <array>
#include <map>
#include <memory>
#include <optional>
#include <string>

#include "shell/shell_view.h"

class QLabel;
class QMenu;
class QPlainTextEdit;
class QProgressBar;
class QStackedWidget;
class QTabBar;

namespace korvane {

class App;
class PersonListModel;
class PersonListView;
class QtEditDialogs;
class QtUi;
class Settings;
struct Menu;
struct MenuEntry;

// The one window of the program: menus, the nine tabs, the view area, the three-part
// status bar with the progress bar, and the report pane. Every decision is the App's;
// the window builds widgets and forwards what the user does.
class MainWindow : public QMainWindow, public ShellView {
  Q_OBJECT

 public:
  explicit MainWindow(Settings& settings, QWidget* parent = nullptr);
  ~MainWindow() override;

  App& app() { return *app_; }
  QtUi& ui() { return *ui_; }
  QtEditDialogs& dialogs() { return *dialogs_; }
  // The action of a command id (the same object in the menu bar and context menus).
  QAction* Action(int id) const;

  // ShellView
  void SetCommandEnabled(int id, bool enabled) override;
  void SetRecentFiles(const std::vector<std::string>& paths) override;
  void SelectTab(int tab) override;
  void ShowView(TabView view) override;
  void OpenHelp() override;
  void ShowAbout() override;
  void ShowSoundexDialog() override;
  void CloseWindow() override { close(); }
  void SetTitle(std::string_view title) override;

 protected:
  void closeEvent(QCloseEvent* event) override;
  void dragEnterEvent(QDragEnterEvent* event) override;
  void dropEvent(QDropEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void BuildMenus();
  void AddEntries(QMenu* menu, const std::vector<MenuEntry>& entries);
  QAction* CommandAction(int id);
  void BuildCentralArea();
  void BuildStatusBar();
  void ShowListContextMenu(const QPoint& position);
  // "Suchen" in the number dialog: the number of the person picked, if any.
  std::optional<std::string> SearchPerson();

  QTabBar* tabs_ = nullptr;
  QStackedWidget* stack_ = nullptr;
  QWidget* emptyView_ = nullptr;
  QLabel* emptyHint_ = nullptr;  // shown while there are no data
  QPlainTextEdit* reportView_ = nullptr;
  PersonListView* listView_ = nullptr;
  std::unique_ptr<PersonListModel> listModel_;
  std::array<QLabel*, 3> statusParts_{};
  QProgressBar* progressBar_ = nullptr;
  QMenu* fileMenu_ = nullptr;
  QAction* recentFilesEnd_ = nullptr;  // the separator behind the recent files
  std::vector<QAction*> recentActions_;
  std::map<int, QAction*> actions_;
  std::unique_ptr<QtUi> ui_;
  std::unique_ptr<QtEditDialogs> dialogs_;
  std::unique_ptr<App> app_;
  bool shutDown_ = false;
};

}  // namespace korvane
