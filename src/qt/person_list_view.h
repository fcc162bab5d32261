#pragma once

#include <QTableView>
#include <functional>

namespace korvane {

class App;
class PersonListModel;

// The table of the "Liste" and "Auswahl" tabs. It only forwards what the user does to
// the application: the current row, header clicks, type-to-find keys, Delete and the
// context menu.
class PersonListView : public QTableView {
  Q_OBJECT

 public:
  PersonListView(App& app, PersonListModel& model, QWidget* parent = nullptr);

  // Shows the list's rows with the current person selected.
  void Refresh();
  void ResizeColumns();
  // Builds and shows the context menu (the window owns the actions).
  std::function<void(const QPoint& globalPosition)> showContextMenu;

 protected:
  void keyPressEvent(QKeyEvent* event) override;
  void resizeEvent(QResizeEvent* event) override;

 private:
  void SelectRow(int row);

  App& app_;
  PersonListModel& model_;
  bool selecting_ = false;  // a row chosen by the program, not the user
};

}  // namespace korvane
