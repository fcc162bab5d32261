#include "qt/person_list_view.h"

#include <QDateTime>
#include <QHeaderView>
#include <QKeyEvent>

#include "qt/person_list_model.h"
#include "shell/app.h"

namespace korvane {
namespace {

constexpr int kCommaKey = 188;

}  // namespace

PersonListView::PersonListView(App& app, PersonListModel& model, QWidget* parent)
    : QTableView(parent), app_(app), model_(model) {
  setObjectName(QStringLiteral("personList"));
  setModel(&model);
  setSelectionBehavior(QAbstractItemView::SelectRows);
  // Shift and Ctrl highlight several rows for the commands that select persons.
  setSelectionMode(QAbstractItemView::ExtendedSelection);
  setShowGrid(true);
  setWordWrap(false);
  setContextMenuPolicy(Qt::CustomContextMenu);
  verticalHeader()->hide();
  verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 4);
  verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
  horizontalHeader()->setSectionsMovable(true);
  horizontalHeader()->setSectionsClickable(true);
  horizontalHeader()->setHighlightSections(false);
  setStyleSheet(QStringLiteral("QTableView { background: rgb(240,240,240); }"));

  connect(horizontalHeader(), &QHeaderView::sectionClicked, this, [this](int column) {
    app_.ListHeaderClicked(column);
    Refresh();
  });
  connect(selectionModel(), &QItemSelectionModel::currentRowChanged, this,
          [this](const QModelIndex& current) {
            if (!selecting_ && current.isValid()) app_.ListRowActivated(current.row());
          });
  connect(selectionModel(), &QItemSelectionModel::selectionChanged, this, [this] {
    std::vector<int> rows;
    for (const QModelIndex& index : selectionModel()->selectedRows()) rows.push_back(index.row());
    app_.ListRowsHighlighted(rows);
  });
  connect(this, &QTableView::clicked, this, [this](const QModelIndex& index) {
    app_.personList().ResetTypeAhead();
    app_.ListRowActivated(index.row());
  });
  connect(this, &QWidget::customContextMenuRequested, this, [this](const QPoint& position) {
    const QModelIndex index = indexAt(position);
    if (index.isValid()) app_.ListRowActivated(index.row());
    if (showContextMenu) showContextMenu(viewport()->mapToGlobal(position));
  });
}

void PersonListView::Refresh() {
  model_.Reset(true);
  ResizeColumns();
  // The arrow shows the order as the user sees it: text columns come Z to A first.
  const PersonList& list = app_.personList();
  const int column = list.SortColumn();
  const bool risingFirst = column == 0 || column == 3 || column == 5 || column == 7;
  const bool ascending = risingFirst == (list.SortDirection() > 0);
  horizontalHeader()->setSortIndicatorShown(column != 0 || list.SortDirection() < 0);
  horizontalHeader()->setSortIndicator(column,
                                       ascending ? Qt::AscendingOrder : Qt::DescendingOrder);
  SelectRow(app_.personList().RowToShow(app_.state().currentRin));
}

void PersonListView::SelectRow(int row) {
  if (row < 0 || row >= model_.rowCount()) return;
  selecting_ = true;
  const QModelIndex index = model_.index(row, 0);
  selectionModel()->setCurrentIndex(
      index, QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  // Ten rows of context below the current person, as far as there are rows.
  scrollTo(model_.index(std::min(row + 10, model_.rowCount() - 1), 0));
  scrollTo(index);
  selecting_ = false;
}

void PersonListView::ResizeColumns() {
  const int width = viewport()->width();
  for (int column = 0; column < PersonList::kColumnCount; ++column) {
    setColumnWidth(column, PersonList::Columns()[column].width * width / 1024);
  }
}

void PersonListView::resizeEvent(QResizeEvent* event) {
  QTableView::resizeEvent(event);
  ResizeColumns();
}

void PersonListView::keyPressEvent(QKeyEvent* event) {
  const int key = event->key();
  if (key == Qt::Key_Delete) {
    app_.ListDeleteKey();
    return;
  }
  const QString text = event->text();
  const bool navigation = key == Qt::Key_PageUp || key == Qt::Key_PageDown || key == Qt::Key_Home ||
                          key == Qt::Key_End || key == Qt::Key_Up || key == Qt::Key_Down ||
                          key == Qt::Key_Left || key == Qt::Key_Right;
  if (navigation || text.isEmpty() ||
      event->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) {
    QTableView::keyPressEvent(event);
    return;
  }
  const int code =
      text == QStringLiteral(",") ? kCommaKey : static_cast<int>(text.at(0).toUpper().unicode());
  const int current = currentIndex().isValid() ? currentIndex().row() : 0;
  const std::optional<int> row =
      app_.ListKeyTyped(code, current, QDateTime::currentSecsSinceEpoch());
  if (row) SelectRow(*row);
}

}  // namespace korvane
