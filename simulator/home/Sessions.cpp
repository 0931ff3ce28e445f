#include "home/Sessions.h"

#include <QRandomGenerator>

namespace simhome {

Session& Sessions::open(const QString& login, const QString& homeKey, qint64 nowMs) {
  // Sessions nobody comes back to are forgotten here, so a long run does not pile them up.
  std::erase_if(m_sessions, [&](const auto& entry) { return nowMs - entry.second.lastUseMs > m_ttlMs; });
  // Identifiers come from the system's generator: a session must not be guessable.
  QString id;
  do {
    const quint64 a = QRandomGenerator::system()->generate64();
    const quint64 b = QRandomGenerator::system()->generate64();
    id = QStringLiteral("%1%2").arg(a, 16, 16, QChar('0')).arg(b, 16, 16, QChar('0')).toUpper();
  } while (m_sessions.count(id));
  Session& s = m_sessions[id];
  s.id = id;
  s.login = login;
  s.homeKey = homeKey;
  s.lastUseMs = nowMs;
  return s;
}

Session* Sessions::use(const QString& id, qint64 nowMs) {
  auto it = m_sessions.find(id);
  if (it == m_sessions.end()) return nullptr;
  if (nowMs - it->second.lastUseMs > m_ttlMs) {
    m_sessions.erase(it);
    return nullptr;
  }
  it->second.lastUseMs = nowMs;
  return &it->second;
}

}  // namespace simhome
