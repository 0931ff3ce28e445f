#pragma once
// Pictures by the names the screens use ("switch_on_green.png", "nav_bar.png"), drawn from SVG
// sources. A name is looked up without its extension: first as a picture of its own
// ("<base>.svg", or a raster "<base>.png" in an added folder), then as a colour variant of a
// template named with "{color}" ("switch_on_{color}.svg" serves "switch_on_green.png"); a
// template's "{theme}", "{theme-light}" and "{theme-dark}" colours take the theme of the colour id,
// and an unknown id draws as "red". Added folders are searched before the built-in pictures
// (":/images"). A name that matches nothing gives a null image (that still carries the name) and one
// warning.
#include "ui/Image.h"

#include <QString>
#include <QStringList>

namespace ui {

class Images final {
 public:
  static Image named(const QString& name);
  static bool exists(const QString& name);

  // Searched before the built-in pictures, most recently added first.
  static void addSearchPath(const QString& folder);
  static void removeSearchPath(const QString& folder);
  static void clearCache();

  // The base name a picture name is looked up by: no folder, extension or "@2x".
  static QString baseName(const QString& name);
};

}  // namespace ui
