#pragma once
// Whether the network can be reached, as a flag word that a source delivers: undetermined until
// the first word arrives, determined for the rest of the observer's life.
//
// The flag bits follow the platform reachability interface they stand for. Sources are
// injectable: the platform one decides from Qt (see PlatformReachabilitySource), tests use
// ManualReachabilitySource.
#include <QHostAddress>
#include <QString>

#include <functional>
#include <memory>

namespace rest {

enum RestReachabilityFlag : quint32 {
  kRestReachabilityFlagTransientConnection = 1u << 0,
  kRestReachabilityFlagReachable = 1u << 1,
  kRestReachabilityFlagConnectionRequired = 1u << 2,
  kRestReachabilityFlagConnectionOnTraffic = 1u << 3,
  kRestReachabilityFlagInterventionRequired = 1u << 4,
  kRestReachabilityFlagConnectionOnDemand = 1u << 5,
  kRestReachabilityFlagIsLocalAddress = 1u << 16,
  kRestReachabilityFlagIsDirect = 1u << 17,
  kRestReachabilityFlagIsWWAN = 1u << 18,
};

enum RestReachabilityNetworkStatus : int {
  RestReachabilityIndeterminate = 0,
  RestReachabilityNotReachable = 1,
  RestReachabilityReachableViaWiFi = 2,
  RestReachabilityReachableViaWWAN = 3,
};

// "RestReachabilityIndeterminate", "RestReachabilityNotReachable", ...
QString networkStatusName(RestReachabilityNetworkStatus status);

// Delivers flag words to one observer, on the observer's thread.
class RestReachabilitySource {
 public:
  using Delivery = std::function<void(quint32 flags)>;
  virtual ~RestReachabilitySource() = default;
  // Begins delivering; the first word should follow soon (asynchronously).
  virtual void start(Delivery delivery) = 0;
};

// A source driven by hand: every setFlags() delivers at once.
class ManualReachabilitySource : public RestReachabilitySource {
 public:
  void start(Delivery delivery) override { m_delivery = std::move(delivery); }
  void setFlags(quint32 flags) {
    if (m_delivery) m_delivery(flags);
  }
  bool isStarted() const { return static_cast<bool>(m_delivery); }

 private:
  Delivery m_delivery;
};

class RestReachabilityObserver {
 public:
  // Makes the source of an observer for `host`; `serviceHost` is the host of the service the
  // observer gates, when known. Returning null means the platform cannot observe that host.
  using SourceFactory =
      std::function<std::shared_ptr<RestReachabilitySource>(const QString& host, const QString& serviceHost)>;
  // Replaces how observers get their source (tests); an empty function restores the platform's.
  static void setSourceFactory(SourceFactory factory);

  // The Internet (0.0.0.0). `serviceHost` lets the platform source count a service on this
  // machine as reachable even without an external route.
  static std::shared_ptr<RestReachabilityObserver> reachabilityObserverForInternet(const QString& serviceHost = {});
  static std::shared_ptr<RestReachabilityObserver> reachabilityObserverForLocalWifi();
  static std::shared_ptr<RestReachabilityObserver> reachabilityObserverForAddress(const QHostAddress& address);
  // A dotted IPv4 text is treated as an address.
  static std::shared_ptr<RestReachabilityObserver> reachabilityObserverForHost(const QString& host);
  // An observer on an explicit source (null when `source` is null).
  static std::shared_ptr<RestReachabilityObserver> observerWithSource(const QString& host,
                                                                      std::shared_ptr<RestReachabilitySource> source);

  const QString& host() const { return m_host; }
  quint32 reachabilityFlags() const { return m_flags; }
  bool isReachabilityDetermined() const { return m_determined; }
  bool isMonitoringLocalWiFi() const { return m_host == QLatin1String("169.254.0.0"); }

  RestReachabilityNetworkStatus networkStatus() const;
  // Asking before determination is a programming error.
  bool isNetworkReachable() const;
  bool isConnectionRequired() const;
  bool isReachableViaWWAN() const;
  bool isReachableViaWiFi() const;
  QString description() const;

  // Stores a new flag word and posts the notifications (what a source's delivery calls).
  void receiveFlags(quint32 flags);

 private:
  RestReachabilityObserver(QString host, std::shared_ptr<RestReachabilitySource> source);
  void requireDetermined() const;

  QString m_host;
  std::shared_ptr<RestReachabilitySource> m_source;
  quint32 m_flags = 0;
  bool m_determined = false;
};

}  // namespace rest
