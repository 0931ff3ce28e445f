#pragma once
// Signed-in sessions: the identifier the app puts in every path, who it belongs to, and when it
// lapses. A session that is used stays alive; one left alone longer than the time-to-live ends.
// A user holds at most kMaxPerUser sessions (a new sign-in ends the user's oldest), and every
// operation costs the same however many sessions are open: sign-ins run under the service's lock.
#include <QHashFunctions>
#include <QString>

#include <cstdint>
#include <deque>
#include <list>
#include <optional>
#include <unordered_map>

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
  // Enough for every device and app instance a person signs in from, with room for restarts.
  static constexpr std::size_t kMaxPerUser = 32;

  explicit Sessions(qint64 ttlMs = 30 * 60 * 1000) : m_ttlMs(ttlMs) {}

  Session& open(const QString& login, const QString& homeKey, qint64 nowMs);
  // The live session with this identifier, its time-to-live renewed; nullptr when unknown or
  // lapsed (a lapsed session is forgotten).
  Session* use(const QString& id, qint64 nowMs);
  void expireAll();
  std::size_t count() const { return m_sessions.size(); }
  qint64 ttlMs() const { return m_ttlMs; }
  void setTtlMs(qint64 ms) { m_ttlMs = ms; }
  // Sessions of a home (the live stream of a gateway follows its sessions' video starts).
  template <class F>
  void forEach(F&& f) {
    for (auto& [id, entry] : m_sessions) f(entry.session);
  }

 private:
  struct Entry {
    Session session;
    std::list<QString>::iterator byUse;
  };
  struct Hash {
    std::size_t operator()(const QString& s) const noexcept { return qHash(s); }
  };
  using Map = std::unordered_map<QString, Entry, Hash>;
  void end(Map::iterator it);

  qint64 m_ttlMs;
  Map m_sessions;                                             // by identifier
  std::list<QString> m_byUse;                                 // least recently used first
  std::unordered_map<QString, std::deque<QString>, Hash> m_byLogin;  // each user's, oldest opened first
};

}  // namespace simhome
