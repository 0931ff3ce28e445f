#include "app/ScreenCatalog.h"

#include "ui/Screen.h"

namespace app {

ScreenCatalog& ScreenCatalog::shared() {
  static ScreenCatalog* catalog = [] {
    auto* c = new ScreenCatalog();
    registerKnownScreens(*c);
    return c;
  }();
  return *catalog;
}

void ScreenCatalog::registerScreen(const QString& name, Factory factory) {
  if (!factory) {
    m_factories.erase(name);
    return;
  }
  m_factories[name] = std::move(factory);
}

void ScreenCatalog::unregisterScreen(const QString& name) { m_factories.erase(name); }

bool ScreenCatalog::contains(const QString& name) const { return m_factories.count(name) != 0; }

ui::Screen* ScreenCatalog::create(const QString& name) const {
  const auto it = m_factories.find(name);
  return it == m_factories.end() ? nullptr : it->second();
}

QStringList ScreenCatalog::names() const {
  QStringList list;
  for (const auto& [name, factory] : m_factories) list << name;
  return list;
}

}  // namespace app
