#include "views/person_list.h"

#include <span>
#include <system_error>

#include "store/flags.h"
#include "store/sex.h"

namespace korvane {

PersonList::PersonList(const Store& store) : store_(store) {}

PersonList::~PersonList() { WaitUntilSortReady(); }

void PersonList::WaitUntilSortReady() {
  if (worker_.joinable()) worker_.join();
}

void PersonList::Build(bool selectedOnly) {
  WaitUntilSortReady();  // the worker reads rows_ and writes the arrays
  rows_.clear();
  const std::uint32_t required = PresentFlag | (selectedOnly ? SelectedFlag : 0);
  for (Rin rin = 1; rin <= store_.PersonCount(); ++rin) {
    if ((store_.personTable[rin].flags & required) == required) rows_.push_back(rin);
  }
  sortColumn_ = 0;
  direction_ = 1;
  dateKey_ = 0;
  shownArray_ = -1;
  built_ = true;
  builtPersonCount_ = selectedOnly ? 0 : store_.PersonCount();
  ResetTypeAhead();
  // Sized here, so the worker never allocates what this thread reads afterwards.
  for (std::vector<Rin>& array : sortArrays_) array.assign(rows_.size(), 0);
  if (rows_.empty()) return;

  sortReady_.store(0, std::memory_order_release);
  try {
    worker_ = std::thread(SortWorker, std::cref(store_), std::span<const Rin>(rows_),
                          std::ref(sortArrays_), std::ref(sortReady_));
  } catch (const std::system_error&) {
    // No thread to be had: sort here; the list is only slower to appear.
    SortWorker(store_, rows_, sortArrays_, sortReady_);
  }
}

bool PersonList::NeedsRebuild(Rin personCount) const {
  return !(built_ && personCount == builtPersonCount_ && RowCount() > 0);
}

std::vector<Rin> PersonList::NameOrder() {
  if (!built_ || builtPersonCount_ == 0) return {};
  WaitUntilSortReady();
  return sortArrays_[PresortedArrayOf(1)];
}

const std::vector<Rin>& PersonList::ShownOrder() const {
  return shownArray_ < 0 ? rows_ : sortArrays_[shownArray_];
}

Rin PersonList::RinAt(int row) const {
  const int count = RowCount();
  if (row < 0 || row >= count) return 0;
  return ShownOrder()[direction_ > 0 ? row : count - row - 1];
}

int PersonList::RowOf(Rin rin) const {
  const std::vector<Rin>& order = ShownOrder();
  const int count = RowCount();
  for (int i = 0; i < count; ++i) {
    if (order[i] == rin) return direction_ > 0 ? i : count - i - 1;
  }
  return -1;
}

int PersonList::RowToShow(Rin rin) const {
  const int row = RowOf(rin);
  if (row >= 0) return row;
  return RowCount() > 1 ? 1 : RowCount() - 1;
}

std::string PersonList::CellText(int row, int column) const {
  const Rin rin = RinAt(row);
  return rin == 0 ? std::string() : PersonCellText(store_, rin, column);
}

bool PersonList::RowIsMale(int row) const { return IsMale(store_.PersonRecord(RinAt(row)).sex); }

bool PersonList::RowIsMarked(int row) const {
  return (store_.PersonRecord(RinAt(row)).flags & SelectedFlag) != 0;
}

void PersonList::HeaderClicked(int column) {
  if (column < 0 || column >= kColumnCount) return;
  if (column == sortColumn_) {
    direction_ = -direction_;
  } else {
    WaitUntilSortReady();
    direction_ = 1;
    sortColumn_ = column;
    if (column == kRinColumn) {
      shownArray_ = -1;
    } else if (const int presorted = PresortedArrayOf(column); presorted >= 0) {
      shownArray_ = presorted;
    } else {
      if (dateKey_ != column) SortByKey(store_, sortArrays_[kDateSortArray], column);
      dateKey_ = column;
      shownArray_ = kDateSortArray;
    }
  }
  ResetTypeAhead();
}

}  // namespace korvane
