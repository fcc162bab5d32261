#pragma once

// The dialog that finds a person's number by name ("RIN SUCHEN"), without its window: the
// rows and their cell texts, the search on every change of the field, the row taken and
// the details shown for it. The desktop binds a virtual list and two edit fields to it.

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "store/store.h"

namespace korvane {

enum RinSearchDialogId : int {
  kRinSearchField = 1001,    // "RIN oder Name:"
  kRinSearchDetails = 1002,  // read-only, several lines
  kRinSearchList = 141,
};

enum RinSearchColumnIndex : int { kRinSearchRinColumn, kRinSearchNameColumn, kRinSearchDateColumn };

struct RinSearchColumn {
  const char* title;
  int width;  // in pixels
};
std::span<const RinSearchColumn> RinSearchColumns();

// The present persons in the person list's name order (as its presorted name array holds
// them), for callers that have no sorted list at hand.
std::vector<Rin> PersonsByName(const Store& store);

class RinSearchDialog {
 public:
  static constexpr const char* kTitle = "RIN SUCHEN";
  static constexpr const char* kFieldLabel = "RIN oder Name:";

  // `rows` are the person list's rows in its name order. Opening costs nothing per row.
  RinSearchDialog(const Store& store, std::vector<Rin> rows);

  int RowCount() const { return static_cast<int>(rows_.size()); }
  // The RIN of a row; 0 for a row outside the list.
  Rin RinAt(int row) const;
  // "12    ", "Meier, Hans", "* 1850"; empty for a row or column outside the list.
  std::string CellText(int row, int column) const;

  // The field's new text: a number finds the row of that RIN, any other text the first
  // row from the top whose surname begins with the text up to its first blank or comma
  // and, when given names follow, whose surname is that text and whose given names begin
  // with them. The row found is taken as if clicked and returned; when none matches,
  // nothing changes.
  std::optional<int> TextChanged(std::string_view typed);
  // A click on a row (either button): the row is selected, its RIN chosen and its person
  // shown in the details. A row outside the list changes nothing.
  void RowClicked(int row);

  // The row last taken; none before.
  std::optional<int> SelectedRow() const { return selectedRow_; }
  // The person of that row: RIN, names, sex and the dated or placed events.
  const std::string& Details() const { return details_; }
  // Its RIN as text, what "OK" hands back; empty before a row was taken.
  const std::string& ChosenText() const { return chosenText_; }

 private:
  std::optional<int> FindRow(std::string_view typed) const;

  const Store& store_;
  std::vector<Rin> rows_;
  std::optional<int> selectedRow_;
  std::string details_;
  std::string chosenText_;
};

}  // namespace korvane
