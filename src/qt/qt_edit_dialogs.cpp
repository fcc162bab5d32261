#include "qt/qt_edit_dialogs.h"

#include "editing/person_dialog.h"
#include "qt/person_edit_window.h"
#include "qt/qt_ui.h"

namespace korvane {
namespace {

std::optional<std::string> AskNumber(NumberEntryWindow& window) {
  if (window.exec() != QDialog::Accepted) return std::nullopt;
  return window.Text();
}

}  // namespace

bool QtEditDialogs::EditPerson(PersonDialog& dialog) {
  PersonEditWindow window(dialog, window_);
  return window.exec() == QDialog::Accepted;
}

std::optional<std::string> QtEditDialogs::AskRin(std::string_view title) {
  NumberEntryWindow window(ToQString(title), QStringLiteral("RIN:"),
                           QStringLiteral("(leerlassen für neu)"), search_, window_);
  return AskNumber(window);
}

std::optional<std::string> QtEditDialogs::AskMrin(std::string_view title) {
  NumberEntryWindow window(ToQString(title), QStringLiteral("MRIN:"), QString(), nullptr, window_);
  return AskNumber(window);
}

}  // namespace korvane
