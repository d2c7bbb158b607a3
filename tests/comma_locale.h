#pragma once
// A locale with a decimal comma (de_DE.UTF-8), for the tests that the
// program's numbers ignore the locale: the system's, or the one scripts/test
// makes in the build folder (DPV_LOCALE_DIR) where the system has none.

#include <QByteArray>
#include <QString>
#include <clocale>
#include <string>

inline constexpr const char *kCommaLocale = "de_DE.UTF-8";

// Sets the C library's locale to the comma locale while it lives.
class CommaLocale {
 public:
  CommaLocale() : savedLocale_(std::setlocale(LC_ALL, nullptr)), savedLocpath_(qgetenv("LOCPATH")) {
    hadLocpath_ = qEnvironmentVariableIsSet("LOCPATH");
    if (std::setlocale(LC_ALL, kCommaLocale)) {
      active_ = true;
    } else {
      qputenv("LOCPATH", DPV_LOCALE_DIR);
      if (std::setlocale(LC_ALL, kCommaLocale)) {
        active_ = true;
        locpath_ = QStringLiteral(DPV_LOCALE_DIR);
      }
    }
    if (active_ && std::localeconv()->decimal_point != std::string(",")) {
      std::setlocale(LC_ALL, savedLocale_.c_str());
      active_ = false;
    }
  }
  ~CommaLocale() {
    std::setlocale(LC_ALL, savedLocale_.c_str());
    if (hadLocpath_)
      qputenv("LOCPATH", savedLocpath_);
    else
      qunsetenv("LOCPATH");
  }
  CommaLocale(const CommaLocale &) = delete;
  CommaLocale &operator=(const CommaLocale &) = delete;

  bool active() const { return active_; }
  // The LOCPATH a child process needs for it, empty when the system has it.
  QString locpath() const { return locpath_; }
  QString whyNot() const {
    return QStringLiteral("the locale %1 is not installed and not in %2 (scripts/test makes it with localedef)")
        .arg(QLatin1String(kCommaLocale), QStringLiteral(DPV_LOCALE_DIR));
  }

 private:
  std::string savedLocale_;
  QByteArray savedLocpath_;
  bool hadLocpath_ = false;
  bool active_ = false;
  QString locpath_;
};
