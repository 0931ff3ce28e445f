#include "ui/Images.h"

#include "ui/Theme.h"
#include "ui/UiLogging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace ui {
namespace {

constexpr auto kBuiltIn = ":/images";
constexpr auto kColorToken = "{color}";

struct Registry {
  QStringList searchPaths;       // most recent first
  QHash<QString, Image> cache;   // by base name
  QSet<QString> missing;         // base names already reported
  QHash<QString, QStringList> templates;  // by folder: its "{color}" pictures, listed once
};

Registry& registry() {
  static Registry r;
  return r;
}

QStringList folders() {
  QStringList all = registry().searchPaths;
  all << QString::fromLatin1(kBuiltIn);
  return all;
}

QByteArray readFile(const QString& path) {
  QFile file(path);
  if (!file.open(QIODevice::ReadOnly)) return {};
  return file.readAll();
}

QByteArray themed(QByteArray svg, const QString& colorId) {
  const QColor base = themeColor(colorId);
  const QColor light = QColor::fromRgbF(float(base.redF() + (1 - base.redF()) * 0.45),
                                        float(base.greenF() + (1 - base.greenF()) * 0.45),
                                        float(base.blueF() + (1 - base.blueF()) * 0.45));
  const QColor dark = QColor::fromRgbF(float(base.redF() * 0.62), float(base.greenF() * 0.62), float(base.blueF() * 0.62));
  svg.replace("{theme-light}", light.name().toLatin1());
  svg.replace("{theme-dark}", dark.name().toLatin1());
  svg.replace("{theme}", base.name().toLatin1());
  return svg;
}

Image loadExact(const QString& base, const QString& requested) {
  for (const QString& folder : folders()) {
    const QString svgPath = folder + QLatin1Char('/') + base + QStringLiteral(".svg");
    if (QFileInfo::exists(svgPath)) {
      Image image = Image::fromSvg(readFile(svgPath), requested);
      if (image.isNull()) qCWarning(lcUi, "Picture %s is not valid SVG", qPrintable(svgPath));
      return image;
    }
    const QString pngPath = folder + QLatin1Char('/') + base + QStringLiteral(".png");
    if (QFileInfo::exists(pngPath)) return Image::fromData(readFile(pngPath), requested);
  }
  return {};
}

Image loadVariant(const QString& base, const QString& requested) {
  for (const QString& folder : folders()) {
    auto& listed = registry().templates;
    auto found = listed.constFind(folder);
    if (found == listed.constEnd())
      found = listed.insert(folder, QDir(folder).entryList({QStringLiteral("*{color}*.svg")}, QDir::Files, QDir::Name));
    const QStringList& templates = *found;
    for (const QString& file : templates) {
      const QString stem = file.left(file.size() - 4);
      const int at = stem.indexOf(QLatin1String(kColorToken));
      const QString prefix = stem.left(at);
      const QString suffix = stem.mid(at + int(qstrlen(kColorToken)));
      if (base.size() < prefix.size() + suffix.size() || !base.startsWith(prefix) || !base.endsWith(suffix)) continue;
      const QString colorId = base.mid(prefix.size(), base.size() - prefix.size() - suffix.size());
      const QByteArray svg = themed(readFile(folder + QLatin1Char('/') + file), normalizedColorId(colorId));
      return Image::fromSvg(svg, requested);
    }
  }
  return {};
}

}  // namespace

QString Images::baseName(const QString& name) {
  QString base = QFileInfo(name).fileName();
  static const QStringList extensions{QStringLiteral(".png"), QStringLiteral(".jpg"), QStringLiteral(".jpeg"),
                                      QStringLiteral(".gif"), QStringLiteral(".svg")};
  for (const QString& ext : extensions) {
    if (base.endsWith(ext, Qt::CaseInsensitive)) {
      base.chop(ext.size());
      break;
    }
  }
  if (base.endsWith(QLatin1String("@2x"))) base.chop(3);
  return base;
}

Image Images::named(const QString& name) {
  const QString base = baseName(name);
  if (base.isEmpty()) return {};
  auto& r = registry();
  auto it = r.cache.constFind(base);
  // Keep the name exactly as asked for, so that widgets report what the screen requested.
  if (it != r.cache.constEnd()) return it->withName(name);
  Image image = loadExact(base, name);
  if (image.isNull()) image = loadVariant(base, name);
  if (image.isNull() && !r.missing.contains(base)) {
    r.missing.insert(base);
    qCWarning(lcUi, "No picture named %s", qPrintable(name));
  }
  r.cache.insert(base, image);
  // A missing picture still carries its name: widgets report what they were asked to show.
  return image.withName(name);
}

bool Images::exists(const QString& name) { return !named(name).isNull(); }

void Images::addSearchPath(const QString& folder) {
  auto& r = registry();
  r.searchPaths.removeAll(folder);
  r.searchPaths.prepend(folder);
  clearCache();
}

void Images::removeSearchPath(const QString& folder) {
  registry().searchPaths.removeAll(folder);
  clearCache();
}

void Images::clearCache() {
  auto& r = registry();
  r.cache.clear();
  r.missing.clear();
  r.templates.clear();
}

}  // namespace ui
