#pragma once

#include <functional>

#include "editing/edit_session.h"
#include "qt/number_entry_window.h"

class QWidget;

namespace korvane {

// The modal dialogs of the link operations as windows over the main window. Tests can
// take the place of the person at the keyboard with hooks, as for the message boxes.
class QtEditDialogs : public EditDialogs {
 public:
  explicit QtEditDialogs(QWidget* window) : window_(window) {}

  // The person search behind "Suchen"; set once the data it searches exist.
  void SetSearch(NumberEntryWindow::Search search) { search_ = std::move(search); }

  bool EditPerson(PersonDialog& dialog) override;
  std::optional<std::string> AskRin(std::string_view title) override;
  std::optional<std::string> AskMrin(std::string_view title) override;

 private:
  QWidget* window_;
  NumberEntryWindow::Search search_;
};

}  // namespace korvane
