#pragma once

#include <QDialog>
#include <functional>
#include <optional>
#include <string>

class QLineEdit;

namespace korvane {

// The small dialogs that ask for a record number: "HINZUFÜGEN" for a person (empty for a
// new one, with "Suchen" to pick from the list) and "ELTERN ZUORDNEN" for a family.
class NumberEntryWindow : public QDialog {
  Q_OBJECT

 public:
  // `search` opens the person search and returns the number chosen there; none leaves
  // the "Suchen" button out.
  using Search = std::function<std::optional<std::string>()>;
  NumberEntryWindow(const QString& title, const QString& label, const QString& hint, Search search,
                    QWidget* parent);

  std::string Text() const;

 private:
  QLineEdit* field_ = nullptr;
};

}  // namespace korvane
