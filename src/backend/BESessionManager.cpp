#include "backend/BESessionManager.h"

std::string BESessionManager::sessionId() const {
  return m_auth && m_auth->sessionId ? *m_auth->sessionId : std::string();
}
