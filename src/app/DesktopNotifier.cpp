#include "app/DesktopNotifier.h"

#include <QDBusMessage>
#include <QDBusPendingCallWatcher>
#include <QDBusPendingReply>
#include <QDBusServiceWatcher>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryFile>
#include <QUrl>
#include <QVariantMap>

#include <algorithm>
#include <utility>

namespace app {

namespace {
// A server that keeps every notification (some never close critical ones) must not make the
// pictures pile up: past this many, the oldest notification's picture goes.
constexpr int kMaxKeptImages = 32;
}  // namespace

DesktopNotifier::DesktopNotifier(QDBusConnection bus, QString appName, QString desktopEntry, QString icon, QObject* parent)
    : QObject(parent), m_bus(std::move(bus)), m_appName(std::move(appName)), m_desktopEntry(std::move(desktopEntry)),
      m_icon(std::move(icon)) {
  if (!m_bus.isConnected()) return;
  const QString service = QString::fromLatin1(kService);
  auto* watcher = new QDBusServiceWatcher(service, m_bus, QDBusServiceWatcher::WatchForOwnerChange, this);
  connect(watcher, &QDBusServiceWatcher::serviceRegistered, this, &DesktopNotifier::probe);
  connect(watcher, &QDBusServiceWatcher::serviceUnregistered, this, [this] { setAvailable(false); });
  const QString path = QString::fromLatin1(kPath);
  m_bus.connect(service, path, service, QStringLiteral("ActionInvoked"), this, SLOT(onActionInvoked(uint, QString)));
  m_bus.connect(service, path, service, QStringLiteral("NotificationClosed"), this, SLOT(onNotificationClosed(uint, uint)));
  probe();
}

DesktopNotifier::~DesktopNotifier() {
  for (const Open& open : std::as_const(m_open))
    if (!open.imageFile.isEmpty()) QFile::remove(open.imageFile);
}

void DesktopNotifier::setAvailable(bool available) {
  if (available == m_available) return;
  m_available = available;
  emit availabilityChanged(available);
}

void DesktopNotifier::probe() {
  if (!m_bus.isConnected()) return setAvailable(false);
  // A server started on demand by the bus answers too: asking is the only sure test.
  const QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                                          QString::fromLatin1(kService), QStringLiteral("GetCapabilities"));
  auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(call, 5000), this);
  connect(pending, &QDBusPendingCallWatcher::finished, this, [this](QDBusPendingCallWatcher* call) {
    call->deleteLater();
    m_probed = true;
    setAvailable(!call->isError());
    const QList<Notice> waiting = std::exchange(m_waiting, {});
    if (m_available)
      for (const Notice& notice : waiting) notify(notice);
  });
}

QString DesktopNotifier::writeImage(const QByteArray& image) const {
  if (image.isEmpty()) return {};
  // The user's runtime folder is private to him; the file itself is readable by its owner only.
  QString folder = QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation);
  if (folder.isEmpty()) folder = QDir::tempPath();
  QTemporaryFile file(QDir(folder).filePath(QStringLiteral("tavrobox-event-XXXXXX.jpg")));
  file.setAutoRemove(false);
  if (!file.open()) return {};
  file.setPermissions(QFile::ReadOwner | QFile::WriteOwner);
  if (file.write(image) != image.size()) {
    file.remove();
    return {};
  }
  file.close();
  return file.fileName();
}

void DesktopNotifier::notify(const Notice& notice) {
  if (!m_probed && m_bus.isConnected()) {
    m_waiting << notice;
    return;
  }
  if (!m_available) return;
  const QString imageFile = writeImage(notice.image);
  QVariantMap hints;
  hints.insert(QStringLiteral("urgency"), QVariant::fromValue(uchar(notice.urgency)));
  if (!notice.category.isEmpty()) hints.insert(QStringLiteral("category"), notice.category);
  if (!m_desktopEntry.isEmpty()) hints.insert(QStringLiteral("desktop-entry"), m_desktopEntry);
  if (!imageFile.isEmpty()) hints.insert(QStringLiteral("image-path"), QUrl::fromLocalFile(imageFile).toString());
  QStringList actions;
  if (!notice.actionLabel.isEmpty()) actions << QString::fromLatin1(kDefaultAction) << notice.actionLabel;

  QDBusMessage call = QDBusMessage::createMethodCall(QString::fromLatin1(kService), QString::fromLatin1(kPath),
                                                    QString::fromLatin1(kService), QStringLiteral("Notify"));
  call << m_appName << uint(0) << m_icon << notice.summary << notice.body << actions << hints << int(-1);
  auto* pending = new QDBusPendingCallWatcher(m_bus.asyncCall(call, 10000), this);
  connect(pending, &QDBusPendingCallWatcher::finished, this, [this, imageFile, context = notice.context](QDBusPendingCallWatcher* watcher) {
    watcher->deleteLater();
    const QDBusPendingReply<uint> reply = *watcher;
    if (reply.isError()) {
      if (!imageFile.isEmpty()) QFile::remove(imageFile);
      // The server went away since the last look: look again rather than fail every time.
      probe();
      return;
    }
    m_open.insert(reply.value(), Open{context, imageFile});
    if (m_open.size() > kMaxKeptImages) forget(*std::min_element(m_open.keyBegin(), m_open.keyEnd()));
  });
}

QStringList DesktopNotifier::imageFiles() const {
  QStringList files;
  for (const Open& open : m_open)
    if (!open.imageFile.isEmpty()) files << open.imageFile;
  return files;
}

void DesktopNotifier::forget(uint id) {
  const auto it = m_open.constFind(id);
  if (it == m_open.constEnd()) return;
  if (!it->imageFile.isEmpty()) QFile::remove(it->imageFile);
  m_open.erase(it);
}

void DesktopNotifier::onActionInvoked(uint id, const QString& action) {
  const auto it = m_open.constFind(id);
  // Other programs' notifications are announced on the same bus.
  if (it == m_open.constEnd() || (action != QLatin1String(kDefaultAction))) return;
  emit activated(it->context);
}

void DesktopNotifier::onNotificationClosed(uint id, uint) { forget(id); }

}  // namespace app
