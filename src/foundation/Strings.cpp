#include "foundation/Strings.h"

#include <QCoreApplication>
#include <QFile>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace foundation {

namespace {
constexpr const char* kContext = "TavroBox";

struct Table {
  std::unique_ptr<QTranslator> translator;
  QString language;
};

Table& table() {
  static Table t;
  return t;
}

bool exists(const QString& language) {
  return QFile::exists(QStringLiteral(":/i18n/tavrobox_%1.qm").arg(language));
}
}  // namespace

QString loadStrings(const QString& language) {
  QString chosen = language.toLower();
  if (chosen.isEmpty()) {
    const QString system = QLocale::system().name().section('_', 0, 0);
    chosen = exists(system) ? system : QStringLiteral("fr");
  }
  if (!exists(chosen)) chosen = QStringLiteral("fr");
  auto translator = std::make_unique<QTranslator>();
  if (!translator->load(QStringLiteral(":/i18n/tavrobox_%1.qm").arg(chosen))) translator.reset();
  table().translator = std::move(translator);
  table().language = chosen;
  return chosen;
}

QString currentLanguage() { return table().language; }

QString localized(const char* key) {
  if (!table().translator) loadStrings();
  if (!table().translator) return {};
  // QTranslator answers "" for a key it does not hold, which is the rule we want.
  return table().translator->translate(kContext, key);
}

}  // namespace foundation
