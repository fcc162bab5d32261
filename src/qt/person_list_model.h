#pragma once

#include <QAbstractTableModel>

#include "views/person_list.h"

namespace korvane {

// The person list for a QTableView: rows and texts come from the PersonList on demand,
// so 250,000 rows cost nothing until they are painted.
class PersonListModel : public QAbstractTableModel {
  Q_OBJECT

 public:
  PersonListModel(PersonList& list, QObject* parent = nullptr);

  // Shows the list's current rows (or none), after a build or a new order.
  void Reset(bool active);

  int rowCount(const QModelIndex& parent = QModelIndex()) const override;
  int columnCount(const QModelIndex& parent = QModelIndex()) const override;
  QVariant data(const QModelIndex& index, int role) const override;
  QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

 private:
  PersonList& list_;
  bool active_ = false;
};

}  // namespace korvane
