#include "qt/person_list_model.h"

#include <QBrush>
#include <QColor>
#include <QFont>

#include "qt/qt_ui.h"

namespace korvane {

PersonListModel::PersonListModel(PersonList& list, QObject* parent)
    : QAbstractTableModel(parent), list_(list) {}

void PersonListModel::Reset(bool active) {
  beginResetModel();
  active_ = active;
  endResetModel();
}

int PersonListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() || !active_ ? 0 : list_.RowCount();
}

int PersonListModel::columnCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : PersonList::kColumnCount;
}

QVariant PersonListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() >= rowCount()) return {};
  if (role == Qt::DisplayRole) return ToQString(list_.CellText(index.row(), index.column()));
  if (role == Qt::BackgroundRole) {
    const RgbColour colour = list_.RowColour(index.row());
    return QBrush(QColor(colour.red, colour.green, colour.blue));
  }
  if (role == Qt::ForegroundRole) return QBrush(Qt::black);
  if (role == Qt::FontRole && list_.RowIsMarked(index.row())) {
    QFont font;
    font.setBold(true);
    return font;
  }
  return {};
}

QVariant PersonListModel::headerData(int section, Qt::Orientation orientation, int role) const {
  if (role != Qt::DisplayRole || orientation != Qt::Horizontal) return {};
  if (section < 0 || section >= PersonList::kColumnCount) return {};
  return QString::fromUtf8(PersonList::Columns()[section].title);
}

}  // namespace korvane
