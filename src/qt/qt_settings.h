#pragma once

#include <QSettings>

#include "platform/settings.h"

namespace korvane {

// The program's settings in the platform's store (organisation and application
// "Korvane"; on Windows the registry under HKCU\Software\Korvane).
class QtSettings : public Settings {
 public:
  QtSettings() : settings_(QStringLiteral("Korvane"), QStringLiteral("Korvane")) {}

  std::optional<std::string> Read(std::string_view group, std::string_view key) override {
    const QVariant value = settings_.value(Key(group, key));
    if (!value.isValid()) return std::nullopt;
    return value.toString().toStdString();
  }
  void Write(std::string_view group, std::string_view key, std::string_view value) override {
    settings_.setValue(Key(group, key), QString::fromUtf8(value.data(), qsizetype(value.size())));
    settings_.sync();
  }

 private:
  static QString Key(std::string_view group, std::string_view key) {
    return QString::fromUtf8(group.data(), qsizetype(group.size())) + QLatin1Char('/') +
           QString::fromUtf8(key.data(), qsizetype(key.size()));
  }
  QSettings settings_;
};

}  // namespace korvane
