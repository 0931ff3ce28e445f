#include "rest/network/PlatformReachabilitySource.h"

#include <QHostAddress>
#include <QMetaObject>
#include <QNetworkInformation>
#include <QNetworkInterface>

namespace rest {

PlatformReachabilitySource::PlatformReachabilitySource(QString host, QString serviceHost)
    : m_host(std::move(host)), m_serviceHost(std::move(serviceHost)) {}

PlatformReachabilitySource::~PlatformReachabilitySource() = default;

bool PlatformReachabilitySource::isLoopbackHost(const QString& host) {
  if (host.compare(QStringLiteral("localhost"), Qt::CaseInsensitive) == 0) return true;
  QHostAddress address;
  return address.setAddress(host) && address.isLoopback();
}

bool PlatformReachabilitySource::onThisMachine(const QString& host, const QString& serviceHost) {
  return isLoopbackHost(host) || (!serviceHost.isEmpty() && isLoopbackHost(serviceHost));
}

quint32 PlatformReachabilitySource::currentFlags(const QString& host, const QString& serviceHost) {
  if (onThisMachine(host, serviceHost))
    return kRestReachabilityFlagReachable | kRestReachabilityFlagIsLocalAddress | kRestReachabilityFlagIsDirect;
  bool interfaceUp = false;
  for (const QNetworkInterface& interface : QNetworkInterface::allInterfaces()) {
    const auto flags = interface.flags();
    if (flags.testFlag(QNetworkInterface::IsLoopBack) || !flags.testFlag(QNetworkInterface::IsUp) ||
        !flags.testFlag(QNetworkInterface::IsRunning))
      continue;
    if (!interface.addressEntries().isEmpty()) {
      interfaceUp = true;
      break;
    }
  }
  if (!interfaceUp) return 0;
  quint32 flags = kRestReachabilityFlagReachable | kRestReachabilityFlagIsDirect;
  if (QNetworkInformation* information = QNetworkInformation::instance();
      information && information->transportMedium() == QNetworkInformation::TransportMedium::Cellular)
    flags = kRestReachabilityFlagReachable | kRestReachabilityFlagIsWWAN;
  return flags;
}

void PlatformReachabilitySource::start(Delivery delivery) {
  m_delivery = std::move(delivery);
  QMetaObject::invokeMethod(
      &m_context,
      [this]() {
        deliverNow();
        watchPlatform();
      },
      Qt::QueuedConnection);
}

void PlatformReachabilitySource::watchPlatform() {
  // A host on this machine stays reachable whatever the network does: nothing to watch.
  if (onThisMachine(m_host, m_serviceHost)) return;
  // Changes are taken from Qt's network information when a backend loads; its own verdict is
  // not trusted (see the header), only its signal that something changed. Loading a backend
  // takes milliseconds (it brings its own libraries), so it waits for the event loop rather
  // than holding up the application's start.
  if (!QNetworkInformation::instance()) QNetworkInformation::loadDefaultBackend();
  if (QNetworkInformation* information = QNetworkInformation::instance()) {
    QObject::connect(information, &QNetworkInformation::reachabilityChanged, &m_context, [this]() { deliverNow(); });
    QObject::connect(information, &QNetworkInformation::transportMediumChanged, &m_context, [this]() { deliverNow(); });
  }
}

void PlatformReachabilitySource::deliverNow() {
  if (m_delivery) m_delivery(currentFlags(m_host, m_serviceHost));
}

}  // namespace rest
