#pragma once

#include <QDialog>

namespace korvane {

// "SOUNDEX BERECHNEN": shows the Soundex code of the name while it is typed.
class SoundexWindow : public QDialog {
  Q_OBJECT

 public:
  explicit SoundexWindow(QWidget* parent);
};

}  // namespace korvane
