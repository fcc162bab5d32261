#include "gui_session.h"

#include <QDir>
#include <QFile>
#include <QMenuBar>
#include <QPainter>
#include <QTest>

#include "qt/qt_ui.h"
#include "shell/app.h"

namespace korvane {

GuiSession::GuiSession(Settings* settings) : window(settings ? *settings : ownSettings) {
  window.ui().SetBoxHook([this](std::string_view text, std::string_view title) {
    boxes.push_back({QString::fromUtf8(title.data(), qsizetype(title.size())),
                     QString::fromUtf8(text.data(), qsizetype(text.size()))});
    return answer;
  });
  window.ui().SetFileHook([this](const FileDialogRequest&) {
    ++fileRequests;
    return chosenFile;
  });
  tester_ = std::make_unique<QAbstractItemModelTester>(List()->model());
  window.resize(1100, 700);
  window.show();
  (void)QTest::qWaitForWindowExposed(&window);
}

QString GuiSession::Copy(const QString& source, const QString& name) const {
  const QString path = folder.filePath(name);
  return QFile::copy(source, path) ? path : QString();
}

QString GuiSession::Write(const QString& name, const QByteArray& content) const {
  const QString path = folder.filePath(name);
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly) || file.write(content) != content.size()) return {};
  return path;
}

void GuiSession::Load(const QString& path) { window.app().LoadFile(path.toStdString()); }

QTableView* GuiSession::List() const {
  return window.findChild<QTableView*>(QStringLiteral("personList"));
}

QTabBar* GuiSession::Tabs() const { return window.findChild<QTabBar*>(QStringLiteral("tabBar")); }

QString GuiSession::Status(int part) const {
  return window.findChild<QLabel*>(QStringLiteral("statusPart%1").arg(part))->text();
}

QString GuiSession::Cell(int row, int column) const {
  const QAbstractItemModel* model = List()->model();
  return model->data(model->index(row, column)).toString();
}

int GuiSession::SelectedRow() const {
  const QModelIndexList rows = List()->selectionModel()->selectedRows();
  return rows.size() == 1 ? rows.first().row() : -1;
}

QAction* GuiSession::Command(int id) const {
  return window.findChild<QAction*>(QStringLiteral("command%1").arg(id));
}

QMenu* GuiSession::FileMenu() const { return window.menuBar()->actions().first()->menu(); }

QAction* GuiSession::FileMenuEntry(int id) const {
  for (QAction* action : FileMenu()->actions()) {
    if (action->objectName() == QStringLiteral("command%1").arg(id)) return action;
  }
  return nullptr;
}

void GuiSession::Screenshot(const QString& name, QMenu* menu) {
  QPixmap shot = window.grab();
  if (menu != nullptr) {
    const QPoint below = window.menuBar()->actionGeometry(menu->menuAction()).bottomLeft();
    menu->popup(window.menuBar()->mapToGlobal(below));
    const QPixmap opened = menu->grab();
    menu->hide();
    QPainter(&shot).drawPixmap(window.menuBar()->mapTo(&window, below), opened);
  }
  QDir().mkpath(QStringLiteral(KORVANE_SCREENSHOTS));
  shot.save(QStringLiteral(KORVANE_SCREENSHOTS "/") + name + QStringLiteral(".png"));
}

QString SamplePath() { return QStringLiteral(KORVANE_SAMPLES "/familie-brandt.ged"); }

QByteArray SimilarSurnamesGedcom() {
  const char* persons[][3] = {
      {"Adam", "Albers", "M"},  {"Heinrich", "Meier", "M"},  {"Berta", "Maier", "F"},
      {"Hans", "Meise", "M"},   {"Anna", "Meier", "F"},      {"Otto", "Mehl", "M"},
      {"Gustav", "Meier", "M"}, {"Karl", "Meyer", "M"},      {"Fritz", "Meier", "M"},
      {"Hugo", "Meise", "M"},   {"Zacharias", "Meier", "M"}, {"Paula", "Müller", "F"},
  };
  QByteArray ged = "0 HEAD\n1 CHAR UTF-8\n1 GEDC\n2 VERS 5.5.1\n";
  int rin = 0;
  for (const auto& [given, surname, sex] : persons) {
    ged += QStringLiteral("0 @I%1@ INDI\n1 NAME %2 /%3/\n1 SEX %4\n")
               .arg(++rin)
               .arg(QString::fromUtf8(given), QString::fromUtf8(surname), QString::fromUtf8(sex))
               .toUtf8();
  }
  return ged + "0 TRLR\n";
}

}  // namespace korvane
