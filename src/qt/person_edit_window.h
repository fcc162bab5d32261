#pragma once

#include <QDialog>
#include <map>

class QCheckBox;
class QLineEdit;

namespace korvane {

class PersonDialog;

// The person edit dialog: one edit field per field of the model, which decides what
// every key and every change of focus does; the window only shows the model's texts.
class PersonEditWindow : public QDialog {
  Q_OBJECT

 public:
  PersonEditWindow(PersonDialog& model, QWidget* parent);

  QLineEdit* Field(int id) const;

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildFields();
  bool KeyPressed(int id, QLineEdit* field, const QKeyEvent& key);
  void LeaveField(int id);
  void ShowText(int id);
  void FocusField(int id);
  void Save();

  PersonDialog& model_;
  std::map<int, QLineEdit*> fields_;
  QCheckBox* divorced_ = nullptr;
};

}  // namespace korvane
