#pragma once

#include <QDialog>
#include <memory>
#include <optional>
#include <string>

class QLineEdit;
class QPlainTextEdit;
class QTableView;

namespace korvane {

class RinSearchDialog;
class RinSearchModel;

// "RIN SUCHEN": the person list by name over the model, a field that searches while it
// is typed in, and the details of the person taken.
class RinSearchWindow : public QDialog {
  Q_OBJECT

 public:
  RinSearchWindow(RinSearchDialog& dialog, QWidget* parent);
  ~RinSearchWindow() override;

  // The number chosen when the dialog was closed with OK.
  std::optional<std::string> Run();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void ShowTaken();

  RinSearchDialog& dialog_;
  std::unique_ptr<RinSearchModel> model_;
  QLineEdit* field_ = nullptr;
  QTableView* list_ = nullptr;
  QPlainTextEdit* details_ = nullptr;
};

}  // namespace korvane
