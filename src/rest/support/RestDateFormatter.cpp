#include "rest/support/RestDateFormatter.h"

#include <QLocale>
#include <QTimeZone>

#include <mutex>

namespace rest {

namespace {
// The formatters are shared by every mapping thread; each use takes the lock.
std::mutex& formatterLock() {
  static std::mutex lock;
  return lock;
}
const QLocale& posixLocale() {
  static const QLocale locale(QLocale::English, QLocale::UnitedStates);
  return locale;
}
}  // namespace

std::optional<QDateTime> RestDateFormatter::dateFromString(const QString& text) {
  std::lock_guard guard(formatterLock());
  for (const char* format : {"yyyy-MM-dd'T'HH:mm:ss'Z'", "MM/dd/yyyy"}) {
    QDateTime date = posixLocale().toDateTime(text, QString::fromLatin1(format));
    if (date.isValid()) {
      date.setTimeZone(QTimeZone::utc());
      return date;
    }
  }
  return std::nullopt;
}

QString RestDateFormatter::stringFromDate(const QDateTime& date) {
  std::lock_guard guard(formatterLock());
  return posixLocale().toString(date.toUTC(), QStringLiteral("yyyy-MM-dd HH:mm:ss")) + QStringLiteral(" +0000");
}

}  // namespace rest
