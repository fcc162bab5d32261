#pragma once

#include <QAbstractItemModelTester>
#include <QLabel>
#include <QMenu>
#include <QTabBar>
#include <QTableView>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "platform/settings.h"
#include "platform/ui.h"
#include "qt/main_window.h"

namespace korvane {

struct ShownBox {
  QString title;
  QString text;  // as the program wrote it, line ends included
};

// One main window as a test drives it: message boxes and file dialogs are answered by the
// test and recorded, the list model is checked through every reset, and the files the
// test loads live in a temporary folder of their own (loading writes its log beside them).
class GuiSession {
 public:
  // Keeps the recent files in `settings` when given, else in memory of its own.
  explicit GuiSession(Settings* settings = nullptr);

  QString Copy(const QString& source, const QString& name) const;
  QString Write(const QString& name, const QByteArray& content) const;
  void Load(const QString& path);

  QTableView* List() const;
  QTabBar* Tabs() const;
  QString Status(int part) const;
  QString Cell(int row, int column) const;
  int Rows() const { return List()->model()->rowCount(); }
  int SelectedRow() const;
  QAction* Command(int id) const;
  QMenu* FileMenu() const;
  // The action with the command's name that the DATEI menu shows now.
  QAction* FileMenuEntry(int id) const;

  // The window, and with `menu` that menu opened below its title.
  void Screenshot(const QString& name, QMenu* menu = nullptr);

  QTemporaryDir folder;
  MemorySettings ownSettings;
  MainWindow window;
  std::vector<ShownBox> boxes;
  MessageAnswer answer = MessageAnswer::Yes;
  std::optional<std::string> chosenFile;
  int fileRequests = 0;

 private:
  std::unique_ptr<QAbstractItemModelTester> tester_;
};

// The bundled example family: 90 persons.
QString SamplePath();

// A dozen persons whose surnames begin alike (Maier, Mehl, Meier, Meise, Meyer) and whose
// given names tell the Meiers and Meises apart.
QByteArray SimilarSurnamesGedcom();

}  // namespace korvane
