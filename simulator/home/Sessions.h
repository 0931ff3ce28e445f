#pragma once
// Signed-in sessions: the identifier the app puts in every path, who it belongs to, and when it
// lapses. A session that is used stays alive; one left alone longer than the time-to-live ends.
#include <QString>

#include <cstdint>
#include <map>
#include <optional>

namespace simhome {

struct Session {
  QString id;
  QString login;
  QString homeKey;
  qint64 lastUseMs = 0;
  bool imageSession = false;  // still images may be fetched
  QString liveCamera;         // serial of the camera whose live video this session started
};

class Sessions {
 public:
  explicit Sessions(qint64 ttlMs = 30 * 60 * 1000) : m_ttlMs(ttlMs) {}

  Session& open(const QString& login, const QString& homeKey, qint64 nowMs);
  // The live session with this identifier, its time-to-live renewed; nullptr when unknown or
  // lapsed (a lapsed session is forgotten).
  Session* use(const QString& id, qint64 nowMs);
  void expireAll() { m_sessions.clear(); }
  std::size_t count() const { return m_sessions.size(); }
  qint64 ttlMs() const { return m_ttlMs; }
  void setTtlMs(qint64 ms) { m_ttlMs = ms; }
  // Sessions of a home (the live stream of a gateway follows its sessions' video starts).
  template <class F>
  void forEach(F&& f) {
    for (auto& [id, s] : m_sessions) f(s);
  }

 private:
  qint64 m_ttlMs;
  std::map<QString, Session> m_sessions;
};

}  // namespace simhome
