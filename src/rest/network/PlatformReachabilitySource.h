#pragma once
// Reachability from the platform, for desktops and containers where Qt's network-information
// backends are unreliable (one fails to load, another reports "online" without any route).
//
// Decision: a host on this machine (loopback) is always reachable; otherwise the network is
// reachable when an interface other than loopback is up and running with an address. Qt's
// network information, when a backend loads, only adds change signals and the cellular bit; it
// is not loaded for a host on this machine.
#include "rest/network/RestReachabilityObserver.h"

#include <QObject>
#include <QPointer>

namespace rest {

class PlatformReachabilitySource : public RestReachabilitySource {
 public:
  PlatformReachabilitySource(QString host, QString serviceHost);
  ~PlatformReachabilitySource() override;

  // Delivers the current flags on the next turn of the event loop, then again on changes.
  void start(Delivery delivery) override;

  // The flags for `host` given the machine's interfaces now.
  static quint32 currentFlags(const QString& host, const QString& serviceHost);
  static bool isLoopbackHost(const QString& host);

 private:
  // Whether the service (or the host asked about) is on this machine: always reachable.
  static bool onThisMachine(const QString& host, const QString& serviceHost);
  void deliverNow();
  void watchPlatform();

  QString m_host;
  QString m_serviceHost;
  Delivery m_delivery;
  QObject m_context;
};

}  // namespace rest
