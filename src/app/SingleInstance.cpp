#include "app/SingleInstance.h"

#include "foundation/Digest.h"

#include <QDBusConnectionInterface>
#include <QDBusMessage>

namespace app {

namespace {
const QString kPath = QStringLiteral("/org/tavrobox/TavroBox");
}

QString SingleInstance::serviceName(const QString& serviceAddress) {
  // A bus name's elements are letters, digits and "_", none starting with a digit.
  return QStringLiteral("org.tavrobox.TavroBox.s") + foundation::md5Hex(serviceAddress.toUtf8()).left(12);
}

bool SingleInstance::handOver(QDBusConnection bus, const QString& serviceAddress, bool background) {
  if (!bus.isConnected() || !bus.interface()) return false;
  const QString name = serviceName(serviceAddress);
  if (!bus.interface()->isServiceRegistered(name).value()) return false;
  if (background) return true;
  const QDBusMessage reply = bus.call(QDBusMessage::createMethodCall(name, kPath, QStringLiteral("org.tavrobox.TavroBox"),
                                                                     QStringLiteral("Show")),
                                      QDBus::Block, 5000);
  // An app that does not answer is stuck or going: this one runs instead.
  return reply.type() == QDBusMessage::ReplyMessage;
}

SingleInstance::SingleInstance(QDBusConnection bus, const QString& serviceAddress, std::function<void()> show, QObject* parent)
    : QObject(parent), m_bus(std::move(bus)), m_name(serviceName(serviceAddress)), m_show(std::move(show)) {
  if (!m_bus.isConnected()) return;
  m_owned = m_bus.registerObject(kPath, this, QDBusConnection::ExportAllSlots) && m_bus.registerService(m_name);
}

SingleInstance::~SingleInstance() {
  if (!m_owned) return;
  m_bus.unregisterService(m_name);
  m_bus.unregisterObject(kPath);
}

void SingleInstance::Show() {
  if (m_show) m_show();
}

}  // namespace app
