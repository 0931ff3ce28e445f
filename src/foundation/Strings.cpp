#include "foundation/Strings.h"

#include <QCoreApplication>
#include <QDir>
#include <QLocale>
#include <QTranslator>

#include <memory>
#include <vector>

namespace foundation {

namespace {
constexpr const char* kContext = "TavroBox";

// One table per area of the app (shell, controls, each screen), "<area>_<language>.qm", so that
// the areas keep their texts apart; a key is looked up in each table in turn.
struct Table {
  std::vector<std::unique_ptr<QTranslator>> translators;
  QString language;
  bool loaded = false;
};

Table& table() {
  static Table t;
  return t;
}

QStringList tablesOf(const QString& language) {
  // The built-in tables are listed once; a name filter would build a pattern at every call.
  static const QStringList all = QDir(QStringLiteral(":/i18n")).entryList(QDir::Files, QDir::Name);
  const QString suffix = QStringLiteral("_%1.qm").arg(language);
  QStringList tables;
  for (const QString& file : all)
    if (file.endsWith(suffix) && file.size() > suffix.size()) tables << file;
  return tables;
}

bool exists(const QString& language) { return !language.isEmpty() && !tablesOf(language).isEmpty(); }
}  // namespace

QString loadStrings(const QString& language) {
  QString chosen = language.toLower();
  if (chosen.isEmpty()) {
    const QString system = QLocale::system().name().section('_', 0, 0);
    chosen = exists(system) ? system : QStringLiteral("fr");
  }
  if (!exists(chosen)) chosen = QStringLiteral("fr");
  std::vector<std::unique_ptr<QTranslator>> translators;
  for (const QString& file : tablesOf(chosen)) {
    auto translator = std::make_unique<QTranslator>();
    if (translator->load(QStringLiteral(":/i18n/") + file)) translators.push_back(std::move(translator));
  }
  table().translators = std::move(translators);
  table().language = chosen;
  table().loaded = true;
  return chosen;
}

QString currentLanguage() { return table().language; }

QString localized(const char* key) {
  if (!table().loaded) loadStrings();
  // QTranslator answers "" for a key it does not hold, which is the rule we want.
  for (const auto& translator : table().translators) {
    QString text = translator->translate(kContext, key);
    if (!text.isEmpty()) return text;
  }
  return {};
}

}  // namespace foundation
