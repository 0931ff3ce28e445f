#include "backend/BESessionManager.h"

std::string BESessionManager::sessionId() const {
  return m_auth && m_auth->sessionId ? *m_auth->sessionId : std::string();
}

void BESessionManager::clear() {
  auto overlay = std::move(m_uiHUD);
  *this = BESessionManager();
  m_uiHUD = std::move(overlay);
}
