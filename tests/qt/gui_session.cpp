#include "gui_session.h"

#include <QDir>
#include <QMenuBar>
#include <QPainter>
#include <QTest>

#include "qt/qt_ui.h"

namespace korvane {

GuiSession::GuiSession(Settings* settings)
    : window(settings ? *settings : ownSettings), tester_(List()->model()) {
  window.ui().SetBoxHook([this](std::string_view text, std::string_view title) {
    boxes << QString::fromUtf8(title.data(), qsizetype(title.size())) + u": "_s +
                 QString::fromUtf8(text.data(), qsizetype(text.size()));
    return answer;
  });
  window.ui().SetFileHook([this](const FileDialogRequest&) {
    ++fileRequests;
    return chosenFile;
  });
  window.resize(1100, 700);
  window.show();
  (void)QTest::qWaitForWindowExposed(&window);
}

std::string GuiSession::Sample() const {
  return folder.Write("familie-brandt.ged", test::ReadFile(KORVANE_SAMPLES "/familie-brandt.ged"));
}

std::string GuiSession::Similar() const {
  std::string ged = "0 HEAD|1 CHAR UTF-8|1 GEDC|2 VERS 5.5.1";
  int rin = 0;
  for (const char* name :
       {"Adam /Albers/", "Heinrich /Meier/", "Berta /Maier/", "Hans /Meise/", "Anna /Meier/",
        "Otto /Mehl/", "Gustav /Meier/", "Karl /Meyer/", "Fritz /Meier/", "Hugo /Meise/",
        "Zacharias /Meier/", "Paula /Müller/"}) {
    ged += "|0 @I" + std::to_string(++rin) + "@ INDI|1 NAME " + name;
  }
  return folder.Write("meier.ged", test::Ged(ged + "|0 TRLR"));
}

QMenu* GuiSession::FileMenu() const { return window.menuBar()->actions().first()->menu(); }

QAction* GuiSession::FileMenuEntry(int id) const {
  for (QAction* action : FileMenu()->actions()) {
    if (action->objectName() == u"command%1"_s.arg(id)) return action;
  }
  return nullptr;
}

void GuiSession::Screenshot(const QString& name, bool withFileMenu) {
  QPixmap shot = window.grab();
  if (withFileMenu) {  // drawn opened below its title
    const QPoint below = window.menuBar()->actionGeometry(FileMenu()->menuAction()).bottomLeft();
    FileMenu()->popup(window.menuBar()->mapToGlobal(below));
    QPainter(&shot).drawPixmap(window.menuBar()->mapTo(&window, below), FileMenu()->grab());
    FileMenu()->hide();
  }
  QDir().mkpath(QStringLiteral(KORVANE_SCREENSHOTS));
  shot.save(QStringLiteral(KORVANE_SCREENSHOTS "/") + name + u".png"_s);
}

}  // namespace korvane
