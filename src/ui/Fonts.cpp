#include "ui/Fonts.h"

#include <QStringList>

#include <cmath>

namespace ui {
namespace {

const QString kFamily = QStringLiteral("Valdo");

struct Face {
  const char* suffix;
  QFont::Weight weight;
  const char* robotoFamily;
};

constexpr Face kFaces[] = {
    {"Light", QFont::Light, "Roboto Light"},
    {"Regular", QFont::Normal, "Roboto"},
    {"Medium", QFont::Medium, "Roboto Medium"},
    {"Bold", QFont::Bold, "Roboto"},
};

void applySize(QFont& font, double size) { font.setPixelSize(std::max(1, static_cast<int>(std::lround(size)))); }

}  // namespace

void Fonts::install() {
  static bool installed = false;
  if (installed) return;
  installed = true;
  QFont::insertSubstitutions(kFamily, {QStringLiteral("Roboto"), QStringLiteral("DejaVu Sans")});
  for (const Face& face : kFaces) {
    QFont::insertSubstitutions(kFamily + QLatin1Char('-') + QLatin1String(face.suffix),
                               {QLatin1String(face.robotoFamily), QStringLiteral("Roboto"), QStringLiteral("DejaVu Sans")});
  }
}

QFont Fonts::font(const QString& name, double size) {
  install();
  QFont font;
  bool known = false;
  if (name == kFamily) {
    font.setFamily(kFamily);
    font.setWeight(QFont::Normal);
    known = true;
  }
  for (const Face& face : kFaces) {
    if (name == kFamily + QLatin1Char('-') + QLatin1String(face.suffix)) {
      // The family carries the weight through the substitution, so both ways find the right face.
      font.setFamily(kFamily);
      font.setWeight(face.weight);
      known = true;
    }
  }
  if (!known) font.setFamily(name);
  applySize(font, size);
  return font;
}

QFont Fonts::systemFont(double size) { return font(QStringLiteral("Valdo-Regular"), size); }

QFont Fonts::boldSystemFont(double size) { return font(QStringLiteral("Valdo-Bold"), size); }

}  // namespace ui
