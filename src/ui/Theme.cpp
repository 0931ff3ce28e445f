#include "ui/Theme.h"

#include <QVariant>
#include <QWidget>

#include "ui/Views.h"

#include <array>
#include <utility>

namespace ui {
namespace {

struct ThemeEntry {
  const char* id;
  double r, g, b;
};

constexpr std::array<ThemeEntry, 8> kThemes{{
    {"blue", 0.086, 0.443, 0.678},
    {"green", 0.118, 0.792, 0.384},
    {"orange1", 0.965, 0.533, 0.125},
    {"orange2", 0.890, 0.639, 0.184},
    {"purple", 0.694, 0.600, 0.976},
    {"red", 0.961, 0.290, 0.290},
    {"syan", 0.188, 0.894, 0.957},
    {"yellow", 0.933, 0.765, 0.106},
}};

const ThemeEntry& entryFor(const QString& colorId) {
  for (const auto& entry : kThemes) {
    if (colorId == QLatin1String(entry.id)) return entry;
  }
  return kThemes[5];  // red
}

}  // namespace

const QStringList& themeColorIds() {
  static const QStringList ids = [] {
    QStringList list;
    for (const auto& entry : kThemes) list << QString::fromLatin1(entry.id);
    return list;
  }();
  return ids;
}

QString normalizedColorId(const QString& colorId) { return QString::fromLatin1(entryFor(colorId).id); }

QColor themeColor(const QString& colorId) {
  const auto& entry = entryFor(colorId);
  return rgb(entry.r, entry.g, entry.b);
}

void setThemeColorId(QWidget* widget, const QString& colorId) {
  if (widget) widget->setProperty("tbColorId", colorId);
}

QString themeColorIdOf(const QWidget* widget) {
  for (const QWidget* w = widget; w; w = w->parentWidget()) {
    const QVariant id = w->property("tbColorId");
    if (id.isValid() && !id.toString().isEmpty()) return id.toString();
  }
  return QStringLiteral("blue");
}

}  // namespace ui
