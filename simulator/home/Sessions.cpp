#include "home/Sessions.h"

#include <QRandomGenerator>

#include <algorithm>

namespace simhome {

void Sessions::end(Map::iterator it) {
  const Session& s = it->second.session;
  auto mine = m_byLogin.find(s.login);
  if (mine != m_byLogin.end()) {
    std::erase(mine->second, s.id);
    if (mine->second.empty()) m_byLogin.erase(mine);
  }
  m_byUse.erase(it->second.byUse);
  m_sessions.erase(it);
}

void Sessions::expireAll() {
  m_sessions.clear();
  m_byUse.clear();
  m_byLogin.clear();
}

Session& Sessions::open(const QString& login, const QString& homeKey, qint64 nowMs) {
  // Sessions nobody comes back to are forgotten here, so a long run does not pile them up; the
  // least recently used come first, so only lapsed ones are looked at.
  while (!m_byUse.empty()) {
    const auto oldest = m_sessions.find(m_byUse.front());
    if (nowMs - oldest->second.session.lastUseMs <= m_ttlMs) break;
    end(oldest);
  }
  std::deque<QString>& mine = m_byLogin[login];
  while (mine.size() >= kMaxPerUser) end(m_sessions.find(mine.front()));
  // Identifiers come from the system's generator: a session must not be guessable.
  QString id;
  do {
    const quint64 a = QRandomGenerator::system()->generate64();
    const quint64 b = QRandomGenerator::system()->generate64();
    id = QStringLiteral("%1%2").arg(a, 16, 16, QChar('0')).arg(b, 16, 16, QChar('0')).toUpper();
  } while (m_sessions.count(id));
  Entry& entry = m_sessions[id];
  entry.byUse = m_byUse.insert(m_byUse.end(), id);
  mine.push_back(id);
  Session& s = entry.session;
  s.id = id;
  s.login = login;
  s.homeKey = homeKey;
  s.lastUseMs = nowMs;
  return s;
}

Session* Sessions::use(const QString& id, qint64 nowMs) {
  auto it = m_sessions.find(id);
  if (it == m_sessions.end()) return nullptr;
  if (nowMs - it->second.session.lastUseMs > m_ttlMs) {
    end(it);
    return nullptr;
  }
  it->second.session.lastUseMs = nowMs;
  m_byUse.splice(m_byUse.end(), m_byUse, it->second.byUse);
  return &it->second.session;
}

}  // namespace simhome
