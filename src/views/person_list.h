#pragma once

#include <array>
#include <atomic>
#include <cstdint>
#include <optional>
#include <string>
#include <thread>
#include <vector>

#include "store/store.h"
#include "views/person_list_columns.h"
#include "views/sort_worker.h"

namespace korvane {

// The rows of the "Liste" and "Auswahl" tabs: one row per present (or selected) person,
// texts produced per cell on demand, so a view binds to it without copying anything.
//
// After each build a background thread presorts copies of the rows by the five text
// columns, so a header click only switches the shown order; the three year columns share
// one array that is sorted when clicked. While that thread runs (SortReady() false) it
// reads the store: whoever adds or removes records, or loads a file, calls
// WaitUntilSortReady() first. Everything else is for the user-interface thread only.
class PersonList {
 public:
  static constexpr int kColumnCount = kPersonListColumnCount;
  static constexpr int kMaxTypedChars = 99;
  static constexpr std::int64_t kTypeAheadSeconds = 4;
  static constexpr int kCommaKey = 188;
  static constexpr int kDeleteKey = 46;

  explicit PersonList(const Store& store);
  ~PersonList();
  PersonList(const PersonList&) = delete;
  PersonList& operator=(const PersonList&) = delete;

  // Rows for every present person in RIN order, or only the selected ones. Resets the
  // order to RIN ascending and starts the presorting.
  void Build(bool selectedOnly);
  // Whether the "Liste" tab has to build anew: after Invalidate, after a build of the
  // selection, when the person count changed, or when there are no rows.
  bool NeedsRebuild(Rin personCount) const;
  // The rows no longer match the data (a person was deleted, an export cleared flags).
  void Invalidate() { built_ = false; }
  bool IsBuilt() const { return built_; }

  int RowCount() const { return static_cast<int>(rows_.size()); }
  // The RIN the row shows in the current order and direction; 0 outside the list.
  Rin RinAt(int row) const;
  // The row that shows the RIN, or -1 when it is not in the list.
  int RowOf(Rin rin) const;
  // The row to highlight for the current person: its row, else row 1 (0 in a list of one
  // row; -1 in an empty list).
  int RowToShow(Rin rin) const;

  std::string CellText(int row, int column) const;
  bool RowIsMale(int row) const;
  // Whether the row's person carries the selected bit (the "Auswahl" of the commands).
  bool RowIsMarked(int row) const;
  RgbColour RowColour(int row) const {
    if (RowIsMarked(row)) return kMarkedRowColour;
    return RowIsMale(row) ? kMaleRowColour : kOtherRowColour;
  }
  static const std::array<ListColumn, kColumnCount>& Columns() { return kPersonListColumns; }

  // A click on a column header: the same column again reverses the direction; another
  // column shows its order (text columns from Z to A, years early first) with direction
  // +1. Waits for the presorting when it needs its result. Ends a type-to-find sequence.
  void HeaderClicked(int column);
  int SortColumn() const { return sortColumn_; }
  int SortDirection() const { return direction_; }

  // The rows of every present person in name order, once the presorting is over; empty
  // when the rows are out of date or hold only the selection.
  std::vector<Rin> NameOrder();

  bool SortReady() const { return sortReady_.load(std::memory_order_acquire) == 1; }
  // Returns once no presorting runs.
  void WaitUntilSortReady();

  // Type-to-find over the sort column. Returns the row to select and make current, or
  // none when the key is not for this search (navigation keys 33..40, Delete, control
  // keys) or the list is empty. `nowSeconds` is the clock in whole seconds.
  std::optional<int> KeyTyped(int keyCode, int currentRow, std::int64_t nowSeconds);
  // A click ends the current key sequence.
  void ResetTypeAhead() { typeAhead_.start = 0; }

 private:
  struct TypeAhead {
    std::string surname;
    int surnameChars = 0;
    std::string givenNames;
    int givenNameChars = -1;  // -1: the given-name stage is not active
    std::int64_t start = 0;   // 0: no sequence
  };

  const std::vector<Rin>& ShownOrder() const;
  // One step toward increasing key order, which is upwards in direction +1.
  int KeyOrderStep() const { return direction_ > 0 ? -1 : 1; }
  bool RowMatches(int row, const std::string& text, int chars) const;
  int FindFromRow(int startRow) const;
  int WalkGivenNames(int startRow) const;

  const Store& store_;
  std::vector<Rin> rows_;
  SortArrays sortArrays_;
  int shownArray_ = -1;  // index into sortArrays_, -1 = rows_
  int sortColumn_ = 0;
  int direction_ = 1;
  int dateKey_ = 0;  // the key the date array was last sorted by; 0 = none
  bool built_ = false;
  Rin builtPersonCount_ = 0;  // 0 after a build of the selection
  std::atomic<int> sortReady_{1};
  std::thread worker_;
  TypeAhead typeAhead_;
};

}  // namespace korvane
