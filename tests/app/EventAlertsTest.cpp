// Alarms that reach the user when the app is not in front, end to end: the app against the
// simulated service, on a private session bus started for this program, with a notification server
// in the test process that records what it is asked to show and can report the user's action.
#include "screens/support/ScreenHarness.h"

#include "app/AlarmBanner.h"
#include "backend/BackgroundPreferences.h"
#include "app/EventAlerts.h"
#include "app/SingleInstance.h"
#include "app/TrayIcon.h"
#include "app/RootViewController.h"
#include "backend/HistoryTexts.h"
#include "backend/BERestConfig.h"
#include "backend/BESessionManager.h"
#include "foundation/Preferences.h"
#include "foundation/RememberedSignIn.h"
#include "foundation/SecretStore.h"
#include "controls/camera/CustomPageControl.h"
#include "foundation/Strings.h"
#include "screens/history/MyHistoryController.h"
#include "screens/supervision/MySupervisionController.h"
#include "support/Wait.h"
#include "ui/NavigationController.h"
#include "ui/Window.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QElapsedTimer>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QMenu>
#include <QUrl>

#include <csignal>

#include <fcntl.h>
#include <poll.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

// The session bus of this program: a dbus-daemon of its own, from the first test to the last.
// Started with posix_spawn rather than QProcess: QProcess starts a child with clone(CLONE_VM), and
// the thread sanitizer then runs its after-fork bookkeeping in the child on the parent's own state,
// after which it no longer sees the main thread's locks and reports every hand-over as a race.
class SessionBusEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    int out[2];
    if (pipe2(out, O_CLOEXEC) != 0) return;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    const char* argv[] = {"dbus-daemon", "--session", "--print-address", "--nofork", nullptr};
    const int spawned = posix_spawnp(&m_pid, argv[0], &actions, nullptr, const_cast<char**>(argv), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) m_pid = 0;
    else address = QString::fromUtf8(readLine(out[0], 5000)).trimmed();
    close(out[0]);
    // Read by QtDBus when the session bus is first asked for (the app's notifier, at launch).
    if (!address.isEmpty()) qputenv("DBUS_SESSION_BUS_ADDRESS", address.toUtf8());
  }
  void TearDown() override {
    if (m_pid <= 0) return;
    kill(m_pid, SIGTERM);
    waitpid(m_pid, nullptr, 0);
  }
  static inline QString address;

 private:
  // The first line written to `fd`, waiting up to `timeoutMs` for it.
  static QByteArray readLine(int fd, int timeoutMs) {
    QByteArray line;
    QElapsedTimer clock;
    clock.start();
    while (!line.contains('\n') && clock.elapsed() < timeoutMs) {
      pollfd ready{fd, POLLIN, 0};
      if (poll(&ready, 1, int(timeoutMs - clock.elapsed())) <= 0) break;
      char chunk[256];
      const ssize_t got = read(fd, chunk, sizeof chunk);
      if (got <= 0) break;
      line.append(chunk, got);
    }
    return line.left(line.indexOf('\n'));
  }
  pid_t m_pid = 0;
};
[[maybe_unused]] const auto* const kBus = ::testing::AddGlobalTestEnvironment(new SessionBusEnvironment);

// org.freedesktop.Notifications as a desktop offers it, recording every notification.
class RecordingServer : public QObject {
  Q_OBJECT
  Q_CLASSINFO("D-Bus Interface", "org.freedesktop.Notifications")
 public:
  struct Shown {
    uint id;
    QString summary;
    QStringList actions;
    QVariantMap hints;
  };
  QList<Shown> shown;

  explicit RecordingServer(QDBusConnection connection) : m_connection(std::move(connection)) {}
  // The user clicked notification `id` (action "default"), or it went.
  void invoke(uint id) { signal("ActionInvoked", {id, QStringLiteral("default")}); }
  void close(uint id) { signal("NotificationClosed", {id, 2u}); }

 public slots:
  uint Notify(const QString&, uint, const QString&, const QString& summary, const QString&, const QStringList& actions,
              const QVariantMap& hints, int) {
    shown.append({uint(shown.size() + 1), summary, actions, hints});
    return uint(shown.size());
  }
  QStringList GetCapabilities() { return {QStringLiteral("actions"), QStringLiteral("body")}; }
  void CloseNotification(uint id) { close(id); }

 private:
  void signal(const char* name, const QVariantList& arguments) {
    QDBusMessage message = QDBusMessage::createSignal(QStringLiteral("/org/freedesktop/Notifications"),
                                                      QStringLiteral("org.freedesktop.Notifications"), QString::fromLatin1(name));
    message.setArguments(arguments);
    m_connection.send(message);
  }
  QDBusConnection m_connection;
};

class EventAlertsTest : public screentest::ScreenTest {
 protected:
  EventAlertsTest() { watchInterval = 30; }
  void SetUp() override {
    ASSERT_FALSE(SessionBusEnvironment::address.isEmpty()) << "dbus-daemon did not start (package dbus-daemon)";
    m_connection = std::make_unique<QDBusConnection>(
        QDBusConnection::connectToBus(SessionBusEnvironment::address, QStringLiteral("notification-server")));
    server = std::make_unique<RecordingServer>(*m_connection);
    ASSERT_TRUE(m_connection->registerObject(QStringLiteral("/org/freedesktop/Notifications"), server.get(),
                                             QDBusConnection::ExportAllSlots));
    ASSERT_TRUE(m_connection->registerService(QStringLiteral("org.freedesktop.Notifications")));
    ScreenTest::SetUp();
    if (HasFatalFailure()) return;
    backend::background::setStaysInBackground(true);
    ASSERT_TRUE(tbtest::waitUntil([&] { return alerts().notifier().isAvailable(); })) << "the server was not found";
    firstLook();
    alerts().setQuitAction([this] { ++quits; });
  }
  void TearDown() override {
    ScreenTest::TearDown();
    m_connection->unregisterService(QStringLiteral("org.freedesktop.Notifications"));
    m_connection->unregisterObject(QStringLiteral("/org/freedesktop/Notifications"));
    server.reset();
    QDBusConnection::disconnectFromBus(QStringLiteral("notification-server"));
  }
  app::EventAlerts& alerts() { return *app->eventAlerts(); }
  // The look at the history that marks where it stands at sign-in: only what happens after it is told.
  void firstLook() {
    advance(app::EventAlerts::kFirstLookSeconds);
    ASSERT_TRUE(waitIdle()) << "the first look at the history did not end";
  }
  void raise(const QString& body) {
    const auto reply = sim->control("POST", QStringLiteral("/_sim/event"), body.toUtf8());
    ASSERT_EQ(reply.status, 200) << reply.body.toStdString();
  }
  // One interval goes by: how many notifications were shown by then (waiting up to `timeoutMs`
  // for one more).
  qsizetype shownAfterAnInterval(int timeoutMs = 10000) {
    const qsizetype before = server->shown.size();
    advance(30);
    tbtest::waitUntil([&] { return waitIdle(500) && server->shown.size() > before; }, timeoutMs);
    return server->shown.size();
  }
  ui::Screen* topScreen() { return app->navigationController()->topViewController(); }

  std::unique_ptr<RecordingServer> server;
  int quits = 0;

 private:
  std::unique_ptr<QDBusConnection> m_connection;
};

TEST_F(EventAlertsTest, AnIntrusionWhileClosedToTheTrayIsToldOnceWithThePictureAndItsActionOpensThatCamera) {
  app->window()->close();
  ASSERT_FALSE(app->window()->isVisible());
  EXPECT_EQ(quits, 0) << "the preference keeps the app running";

  raise(R"({"type": "P1DMO", "camera": "CAM-RUE"})");
  ASSERT_EQ(shownAfterAnInterval(), 1) << "no notification within one interval";
  const RecordingServer::Shown shown = server->shown.first();
  EXPECT_EQ(shown.hints.value("urgency").toInt(), 2);
  EXPECT_EQ(shown.hints.value("category").toString(), "device.error");
  EXPECT_EQ(shown.hints.value("desktop-entry").toString(), "tavrobox");
  EXPECT_TRUE(shown.actions.contains("default"));
  const QString picture = QUrl(shown.hints.value("image-path").toString()).toLocalFile();
  ASSERT_TRUE(QFileInfo::exists(picture)) << "no still picture of the camera";
  EXPECT_EQ(QFileInfo(picture).permissions() & ~(QFile::ReadOwner | QFile::WriteOwner | QFile::ReadUser | QFile::WriteUser), 0);
  EXPECT_EQ(shownAfterAnInterval(1500), 1) << "the same event told twice";

  // The action brings the window up on the supervision of that camera; closing it takes the picture.
  server->invoke(shown.id);
  ASSERT_TRUE(tbtest::waitUntil([&] { return app->window()->isVisible() && dynamic_cast<MySupervisionController*>(topScreen()); }));
  ASSERT_TRUE(waitIdle());
  auto* supervision = dynamic_cast<MySupervisionController*>(topScreen());
  const int page = supervision->videoPageControl()->currentPage();
  ASSERT_LT(page, int(supervision->cameraSensors().size()));
  EXPECT_EQ(supervision->cameraSensors()[size_t(page)]->serial.value_or(""), "CAM-RUE");
  server->close(shown.id);
  EXPECT_TRUE(tbtest::waitUntil([&] { return !QFileInfo::exists(picture); }));

  // A later run of the same user tells nothing already told.
  relaunch();
  app->window()->close();
  ASSERT_TRUE(tbtest::waitUntil([&] { return alerts().notifier().isAvailable(); }));
  firstLook();
  EXPECT_EQ(shownAfterAnInterval(1500), 1) << "a restart told the intrusion again";
}

TEST_F(EventAlertsTest, FiveEventsAtOnceGiveTheThreeMostUrgentThenASummaryThatOpensTheHistory) {
  app->window()->showMinimized();
  for (const char* event : {R"({"origin": "1", "reason": "7", "alert": "0", "sensor": "Fenêtre cuisine"})",
                            R"({"type": "P1S", "sensor": "Détecteur fumée"})", R"({"type": "P1DO", "sensor": "Porte garage"})",
                            R"({"origin": "1", "reason": "12", "alert": "0", "sensor": "Baie vitrée"})",
                            R"({"origin": "1", "reason": "16", "sensor": "Sirène"})"})
    raise(QString::fromUtf8(event));
  shownAfterAnInterval();
  ASSERT_TRUE(tbtest::waitUntil([&] { return server->shown.size() >= 4; }));
  ASSERT_EQ(server->shown.size(), 4);
  for (int i = 0; i < 3; ++i) EXPECT_EQ(server->shown[i].hints.value("urgency").toInt(), 2) << "alarms come first: " << i;
  const RecordingServer::Shown summary = server->shown[3];
  EXPECT_EQ(summary.summary, foundation::localized("kTradEventsSummary").arg(5));
  EXPECT_EQ(summary.hints.value("urgency").toInt(), 1);
  EXPECT_FALSE(summary.hints.contains("image-path"));

  server->invoke(summary.id);
  ASSERT_TRUE(tbtest::waitUntil([&] { return dynamic_cast<MyHistoryController*>(topScreen()) != nullptr; }));
  EXPECT_TRUE(app->window()->isVisible());
  EXPECT_FALSE(app->window()->isMinimized());
}

TEST_F(EventAlertsTest, TheTrayMenuSaysHowTheHomeStandsAndStartsAFavorite) {
  app::TrayIcon& tray = *alerts().tray();
  tray.update();
  EXPECT_NE(tray.intrusionLine(), foundation::localized("kTradTrayIntrusionUnknown")) << "the modes were read at sign-in";
  EXPECT_EQ(tray.favoriteLine(), foundation::localized("kTradTrayFavoriteRunning").arg("Soirée cinéma"));
  QMenu* favorites = nullptr;
  for (QAction* action : tray.menu()->actions())
    if (action->menu()) favorites = action->menu();
  ASSERT_NE(favorites, nullptr);
  QStringList offered;
  for (QAction* action : favorites->actions()) offered << action->text();
  ASSERT_EQ(offered.size(), 3) << "the running favorite is not offered";
  ASSERT_TRUE(offered.contains("Départ au travail"));
  favorites->actions()[int(offered.indexOf("Départ au travail"))]->trigger();
  ASSERT_TRUE(waitIdle());
  bool runs = false;
  for (const auto& f : simRead(QStringLiteral("/favorite/light"))["favorites"].toArray())
    if (f.toObject()["name"].toString() == "Départ au travail") runs = f.toObject()["status"].toString() == "1";
  EXPECT_TRUE(runs);
  EXPECT_EQ(tray.favoriteLine(), foundation::localized("kTradTrayFavoriteRunning").arg("Départ au travail"));
}

TEST_F(EventAlertsTest, InTheBackgroundALostSessionIsRenewedWithoutAWordAndRefusedCredentialsAskOnceToSignIn) {
  auto remember = [](const char* password) {
    ASSERT_TRUE(foundation::rememberSignIn(foundation::Preferences::standard(), foundation::SecretStore::standard(),
                                           {"demo", BERestConfig::stringToSha1(QString::fromLatin1(password)).value()}));
  };
  auto expireSessions = [&] { ASSERT_EQ(sim->control("POST", QStringLiteral("/_sim/sessions/expire")).status, 200); };
  remember("demo");
  app->window()->close();
  expireSessions();
  raise(R"({"type": "P1DO", "sensor": "Porte garage"})");
  shownAfterAnInterval(1500);  // the lost session is met, and renewed
  EXPECT_EQ(alertCount(), 0);
  EXPECT_EQ(shownAfterAnInterval(), 1) << "the event is told once the session is back";

  remember("not the password");
  expireSessions();
  EXPECT_EQ(shownAfterAnInterval(), 2);
  EXPECT_EQ(server->shown.last().summary, foundation::localized("kTradSignInNeeded"));
  EXPECT_EQ(shownAfterAnInterval(1500), 2) << "asked once";
  EXPECT_EQ(alertCount(), 0);
  EXPECT_FALSE(foundation::rememberedSignIn(foundation::Preferences::standard(), foundation::SecretStore::standard()));
  // The action brings the window up on the login screen waiting there.
  EXPECT_FALSE(app->window()->isVisible());
  server->invoke(server->shown.last().id);
  ASSERT_TRUE(tbtest::waitUntil([&] { return app->window()->isVisible(); }));
  EXPECT_NE(app->popupWindow(), nullptr);
}

TEST_F(EventAlertsTest, InFrontAnAlarmShowsTheBannerALaterStartHandsOverAndWithoutTheBackgroundPreferenceClosingQuits) {
  app->window()->activateWindow();
  if (!tbtest::waitUntil([&] { return alerts().windowInFront(); }, 2000)) GTEST_SKIP() << "this platform makes no window active";
  raise(R"({"type": "P1DMO", "sensor": "Détecteur salon"})");
  advance(30);
  ASSERT_TRUE(tbtest::waitUntil([&] { return waitIdle(1000) && alerts().banner()->isVisible(); }));
  EXPECT_TRUE(alerts().banner()->currentTitle().startsWith(history::rowTexts(*BESessionManager::getInstance().histories().front()).title));
  EXPECT_TRUE(server->shown.isEmpty()) << "the user looks at the window already";
  alerts().banner()->sendActionsForControlEvent(ui::ControlEvent::TouchUpInside);
  EXPECT_NE(dynamic_cast<MyHistoryController*>(topScreen()), nullptr);
  EXPECT_FALSE(alerts().banner()->isVisible());

  // A later start for the same service hands over to this app, which shows its window.
  app->window()->close();
  const QString address = app->eventAlerts()->account().section(QLatin1Char('@'), 1);
  EXPECT_TRUE(app::SingleInstance::handOver(QDBusConnection::sessionBus(), address, true));
  EXPECT_FALSE(app->window()->isVisible()) << "a start in the background shows nothing";
  EXPECT_FALSE(app::SingleInstance::handOver(QDBusConnection::sessionBus(), address + "/other", false));
  EXPECT_TRUE(app::SingleInstance::handOver(QDBusConnection::sessionBus(), address, false));
  EXPECT_TRUE(app->window()->isVisible());

  backend::background::setStaysInBackground(false);
  EXPECT_TRUE(app->window()->close());
  EXPECT_EQ(quits, 1);
}

}  // namespace

#include "EventAlertsTest.moc"
