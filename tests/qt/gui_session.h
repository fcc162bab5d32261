#pragma once

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QMenu>
#include <QTabBar>
#include <QTableView>
#include <optional>
#include <string>

#include "common/test_support.h"
#include "platform/settings.h"
#include "platform/ui.h"
#include "qt/main_window.h"
#include "shell/app.h"

namespace korvane {

using namespace Qt::Literals::StringLiterals;

// One main window as a test drives it: message boxes (kept as "TITLE: text") and file
// dialogs are answered by the test, the list model is checked through every reset, and
// loaded files live in a folder of their own (loading writes its log beside them).
class GuiSession {
 public:
  // Keeps the recent files in `settings` when given, else in memory of its own.
  explicit GuiSession(Settings* settings = nullptr);

  // The bundled example family of 90 persons, copied into the folder.
  std::string Sample() const;
  // A dozen persons whose surnames begin alike (Maier, Mehl, Meier, Meise, Meyer).
  std::string Similar() const;
  void Load(const std::string& path) { window.app().LoadFile(path); }

  QTableView* List() const { return window.findChild<QTableView*>(u"personList"_s); }
  QTabBar* Tabs() const { return window.findChild<QTabBar*>(u"tabBar"_s); }
  int Rows() const { return List()->model()->rowCount(); }
  QString Status(int part) const {
    return window.findChild<QLabel*>(u"statusPart%1"_s.arg(part))->text();
  }
  QString Cell(int row, int column) const {
    return List()->model()->index(row, column).data().toString();
  }
  QAction* Command(int id) const { return window.findChild<QAction*>(u"command%1"_s.arg(id)); }
  QMenu* FileMenu() const;
  QAction* FileMenuEntry(int id) const;  // the entry the DATEI menu shows now, if any
  void Screenshot(const QString& name, bool withFileMenu = false);

  test::TempFolder folder;
  MemorySettings ownSettings;
  MainWindow window;
  QStringList boxes;
  MessageAnswer answer = MessageAnswer::Yes;
  std::optional<std::string> chosenFile;
  int fileRequests = 0;

 private:
  QAbstractItemModelTester tester_;
};

}  // namespace korvane
