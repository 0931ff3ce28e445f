#pragma once
// The user-interface side of the session: which menu entry was chosen last.
#include "backend/Singleton.h"

#include <QString>

class UISessionManager : public backend::Singleton<UISessionManager> {
 public:
  // The class name of the screen chosen last ("MyWeatherController"); "" before any choice.
  const QString& selectedNavItem() const { return m_selectedNavItem; }
  void setSelectedNavItem(const QString& name) { m_selectedNavItem = name; }

 private:
  friend class backend::Singleton<UISessionManager>;
  UISessionManager() = default;

  QString m_selectedNavItem;
};
