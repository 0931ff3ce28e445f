#include "rest/network/RestReachabilityObserver.h"

#include "foundation/Logging.h"
#include "foundation/NotificationCenter.h"
#include "rest/network/PlatformReachabilitySource.h"
#include "rest/network/RestNotifications.h"

#include <QMutex>

namespace rest {

namespace {
QMutex g_factoryMutex;
RestReachabilityObserver::SourceFactory g_factory;

std::shared_ptr<RestReachabilitySource> makeSource(const QString& host, const QString& serviceHost) {
  RestReachabilityObserver::SourceFactory factory;
  {
    QMutexLocker lock(&g_factoryMutex);
    factory = g_factory;
  }
  if (factory) return factory(host, serviceHost);
  return std::make_shared<PlatformReachabilitySource>(host, serviceHost);
}
}  // namespace

QString networkStatusName(RestReachabilityNetworkStatus status) {
  switch (status) {
    case RestReachabilityIndeterminate: return QStringLiteral("RestReachabilityIndeterminate");
    case RestReachabilityNotReachable: return QStringLiteral("RestReachabilityNotReachable");
    case RestReachabilityReachableViaWiFi: return QStringLiteral("RestReachabilityReachableViaWiFi");
    case RestReachabilityReachableViaWWAN: return QStringLiteral("RestReachabilityReachableViaWWAN");
  }
  return QStringLiteral("RestReachabilityIndeterminate");
}

void RestReachabilityObserver::setSourceFactory(SourceFactory factory) {
  QMutexLocker lock(&g_factoryMutex);
  g_factory = std::move(factory);
}

RestReachabilityObserver::RestReachabilityObserver(QString host, std::shared_ptr<RestReachabilitySource> source)
    : m_host(std::move(host)), m_source(std::move(source)) {}

std::shared_ptr<RestReachabilityObserver> RestReachabilityObserver::observerWithSource(
    const QString& host, std::shared_ptr<RestReachabilitySource> source) {
  if (!source) {
    qCWarning(lcRestReachability) << "Unable to initialize reachability reference";
    return nullptr;
  }
  std::shared_ptr<RestReachabilityObserver> observer(new RestReachabilityObserver(host, source));
  std::weak_ptr<RestReachabilityObserver> weak = observer;
  source->start([weak](quint32 flags) {
    if (auto alive = weak.lock()) alive->receiveFlags(flags);
  });
  return observer;
}

std::shared_ptr<RestReachabilityObserver> RestReachabilityObserver::reachabilityObserverForInternet(const QString& serviceHost) {
  return observerWithSource(QStringLiteral("0.0.0.0"), makeSource(QStringLiteral("0.0.0.0"), serviceHost));
}

std::shared_ptr<RestReachabilityObserver> RestReachabilityObserver::reachabilityObserverForLocalWifi() {
  return observerWithSource(QStringLiteral("169.254.0.0"), makeSource(QStringLiteral("169.254.0.0"), QString()));
}

std::shared_ptr<RestReachabilityObserver> RestReachabilityObserver::reachabilityObserverForAddress(const QHostAddress& address) {
  const QString host = address.toString();
  return observerWithSource(host, makeSource(host, host));
}

std::shared_ptr<RestReachabilityObserver> RestReachabilityObserver::reachabilityObserverForHost(const QString& host) {
  QHostAddress address;
  if (address.setAddress(host) && address.protocol() == QAbstractSocket::IPv4Protocol) return reachabilityObserverForAddress(address);
  return observerWithSource(host, makeSource(host, host));
}

void RestReachabilityObserver::receiveFlags(quint32 flags) {
  m_flags = flags;
  const bool first = !m_determined;
  m_determined = true;
  auto& center = foundation::NotificationCenter::defaultCenter();
  const foundation::UserInfo info{{RestReachabilityFlagsUserInfoKey, flags}};
  qCDebug(lcRestReachability).noquote() << "Reachability of" << m_host << "is now" << networkStatusName(networkStatus());
  if (first) center.post(RestReachabilityWasDeterminedNotification, this, info);
  center.post(RestReachabilityDidChangeNotification, this, info);
}

void RestReachabilityObserver::requireDetermined() const {
  if (!m_determined)
    qFatal("Cannot inspect reachability state: no reachabilityFlags available. Be sure to check isReachabilityDetermined");
}

RestReachabilityNetworkStatus RestReachabilityObserver::networkStatus() const {
  if (!m_determined) return RestReachabilityIndeterminate;
  const bool reachable = m_flags & kRestReachabilityFlagReachable;
  if (isMonitoringLocalWiFi())
    return reachable && (m_flags & kRestReachabilityFlagIsDirect) ? RestReachabilityReachableViaWiFi : RestReachabilityNotReachable;
  if (!reachable) return RestReachabilityNotReachable;
  if (m_flags & kRestReachabilityFlagIsWWAN) return RestReachabilityReachableViaWWAN;
  if ((m_flags & (kRestReachabilityFlagConnectionOnTraffic | kRestReachabilityFlagConnectionOnDemand)) &&
      !(m_flags & kRestReachabilityFlagInterventionRequired))
    return RestReachabilityReachableViaWiFi;
  if (m_flags & kRestReachabilityFlagConnectionRequired) return RestReachabilityNotReachable;
  return RestReachabilityReachableViaWiFi;
}

bool RestReachabilityObserver::isNetworkReachable() const {
  requireDetermined();
  return networkStatus() != RestReachabilityNotReachable;
}

bool RestReachabilityObserver::isConnectionRequired() const {
  requireDetermined();
  return m_flags & kRestReachabilityFlagConnectionRequired;
}

bool RestReachabilityObserver::isReachableViaWWAN() const {
  requireDetermined();
  return networkStatus() == RestReachabilityReachableViaWWAN;
}

bool RestReachabilityObserver::isReachableViaWiFi() const {
  requireDetermined();
  return networkStatus() == RestReachabilityReachableViaWiFi;
}

QString RestReachabilityObserver::description() const {
  return QStringLiteral("<RestReachabilityObserver host=%1 determined=%2 flags=0x%3 status=%4>")
      .arg(m_host, m_determined ? QStringLiteral("YES") : QStringLiteral("NO"))
      .arg(m_flags, 0, 16)
      .arg(networkStatusName(networkStatus()));
}

}  // namespace rest
