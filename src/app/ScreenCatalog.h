#pragma once
// The screens the menu can open, by class name. The menu dispatches on the names its rows carry
// ("MyWeatherController"); a name without a screen in the catalog opens nothing, so rows of
// screens not built yet simply stay inert.
//
// The catalog starts with the screens of the menu table (MenuTable.cpp); tests add their own.
#include <QString>
#include <QStringList>

#include <functional>
#include <map>

namespace ui {
class Screen;
}

namespace app {

class ScreenCatalog {
 public:
  // Makes a new screen; the caller takes ownership.
  using Factory = std::function<ui::Screen*()>;

  // The process-wide catalog, filled with the known screens on first use.
  static ScreenCatalog& shared();

  // Replaces any factory registered under the same name.
  void registerScreen(const QString& name, Factory factory);
  void unregisterScreen(const QString& name);
  bool contains(const QString& name) const;
  // A new screen of that name, or nullptr when the catalog has none.
  ui::Screen* create(const QString& name) const;
  QStringList names() const;

 private:
  std::map<QString, Factory> m_factories;
};

// Adds every screen of the menu table to `catalog` (MenuTable.cpp).
void registerKnownScreens(ScreenCatalog& catalog);

}  // namespace app
