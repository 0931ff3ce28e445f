// Signing out and switching accounts from the settings, in the real app against the simulated
// service: nothing of one user's home is held or drawn once another's session is under way, what
// was still on its way for the first user files nothing, and each account keeps its own
// remembered password through the switches. The alarm code and the background rows change what
// they say they change.
#include "../support/ScreenHarness.h"

#include "app/LiveState.h"
#include "app/LoginViewController.h"
#include "app/RootViewController.h"
#include "backend/BERestConfig.h"
#include "backend/AlarmLock.h"
#include "backend/BESessionManager.h"
#include "backend/BackgroundPreferences.h"
#include "backend/StoredAnswers.h"
#include "controls/OnOffSwitch.h"
#include "controls/RowButton.h"
#include "controls/lock/CodePad.h"
#include "controls/lock/CodePrompt.h"
#include "foundation/Accounts.h"
#include "foundation/Digest.h"
#include "foundation/Preferences.h"
#include "foundation/SecretStore.h"
#include "foundation/Strings.h"
#include "rest/network/NetworkActivity.h"
#include "rest/network/RestRequestCache.h"
#include "screens/home/MyHomeController.h"
#include "screens/settings/MySettingsController.h"
#include "support/TempDir.h"
#include "support/Wait.h"
#include "ui/Label.h"
#include "ui/Button.h"
#include "ui/NavigationController.h"
#include "ui/Label.h"
#include "ui/PopupWindow.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

#include <functional>

namespace screentest {
namespace {

using backend::DataSet;

// On every frame drawn: whose data the session store holds, and whether any of it is another
// user's. A frame drawn while the store holds data of a user who is not the one signed in (or of
// no one) is a leak, whatever the screen on show.
class LeakWatch : public QObject {
 public:
  explicit LeakWatch(std::string expectedUser) : m_user(std::move(expectedUser)) { qApp->installEventFilter(this); }
  ~LeakWatch() override { qApp->removeEventFilter(this); }
  int frames = 0;
  QStringList leaks;

  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint || !watched->isWidgetType()) return false;
    ++frames;
    const BESessionManager& store = BESessionManager::getInstance();
    const bool holds = store.dashboard() || !store.devices().empty() || !store.modes().empty() || !store.favorites().empty() ||
                       !store.scenarios().empty() || !store.histories().empty();
    const backend::StoredAnswers& stored = backend::StoredAnswers::getInstance();
    bool earlier = false;
    for (DataSet set : {DataSet::Dashboard, DataSet::Devices, DataSet::Favorites, DataSet::Modes, DataSet::Scenarios, DataSet::History})
      earlier |= stored.isFromEarlierRun(set);
    if (holds && store.signedInLogin() != m_user)
      leaks << QStringLiteral("data of \"%1\" held").arg(QString::fromStdString(store.signedInLogin()));
    // The new user has no earlier run on this machine: an earlier run's answer is someone else's.
    if (earlier) leaks << QStringLiteral("an earlier run's answer shown");
    return false;
  }

 private:
  std::string m_user;
};

class AccountsEndToEndTest : public ScreenTest {
 protected:
  LoginViewController* login() const { return qobject_cast<LoginViewController*>(app->popupController()); }
  bool loginOnShow() const { return app->popupWindow() && app->popupWindow()->isVisible() && login(); }
  MySettingsController* openSettings() {
    ui::NavigationController* navigation = app->navigationController();
    app->rootViewController()->openSettings();
    tbtest::waitUntil([&] { return navigation->topViewController() != app->rootViewController() && !navigation->isTransitioning(); });
    return dynamic_cast<MySettingsController*>(navigation->topViewController());
  }
  // The login's rows, by their labels.
  QStringList offered() const {
    QStringList labels;
    for (controls::RowButton* row : login()->accountRows())
      if (!row->isHidden()) labels << row->title();
    return labels;
  }
  QString label(const char* user) const { return foundation::Account{QString::fromLatin1(user), BERestConfig::getInstance().baseURL()}.label(); }
  // Signs in through the fields on show; waits until the popup has gone.
  bool signIn(const QString& user, const QString& password, bool remember) {
    if (!login()->postUserName()->text().isEmpty() && login()->postUserName()->text() != user) return false;
    login()->postUserName()->setText(user);
    login()->postPassword()->setText(password);
    login()->rememberState()->setOn(remember);
    login()->textFieldShouldReturn(login()->postPassword());
    return waitForSignedInAs(user);
  }
  bool waitForSignedInAs(const QString& user) {
    if (!tbtest::waitUntil([&] { return BESessionManager::getInstance().signedInLogin() == user.toStdString(); })) return false;
    clock.advanceBy(TavroBoxAppAppDelegate::kLoginScreenDelaySeconds);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return app->popupWindow() == nullptr;
  }
  QString remembered(const char* user) {
    const auto signIn = foundation::rememberedSignInOf(foundation::Preferences::standard(), foundation::SecretStore::standard(),
                                                       {QString::fromLatin1(user), BERestConfig::getInstance().baseURL()},
                                                       BERestConfig::getInstance().baseURL());
    return signIn ? signIn->passwordDigest : QString();
  }
};

TEST_F(AccountsEndToEndTest, SigningOutAndInAsAnotherUserNeverShowsTheFirstUsersHome) {
  const QString demoCache = rest::RestRequestCache::cachePathForUserAndServer(QStringLiteral("demo"), BERestConfig::getInstance().baseURL());
  ASSERT_TRUE(foundation::signedInAs(foundation::Preferences::standard(), foundation::SecretStore::standard(),
                                     {QStringLiteral("demo"), BERestConfig::getInstance().baseURL()},
                                     foundation::stringToSha1(QStringLiteral("demo")).value(), BERestConfig::getInstance().baseURL()));
  ASSERT_NE(open<MyHomeController>("MyHomeController"), nullptr);
  ASSERT_NE(BESessionManager::getInstance().dashboard(), nullptr);
  ASSERT_TRUE(QDir(demoCache).exists());

  // Demo's read still on its way when he signs out (and erases his data) from the settings.
  const QJsonObject slow{{"path", "/dashboard"}, {"method", "GET"}, {"effect", "delay"}, {"ms", 400}};
  ASSERT_EQ(sim->control("POST", QStringLiteral("/_sim/fail"), QJsonDocument(slow).toJson()).status / 100, 2);
  app->liveState()->refreshTopScreen();
  app->navigationController()->popToRootViewControllerAnimated(false);
  MySettingsController* settings = openSettings();
  ASSERT_GT(rest::networkActivityCount(), 0);
  ASSERT_NE(settings, nullptr);
  auto watch = std::make_unique<LeakWatch>("anne");
  QTest::mouseClick(settings->signOutEraseRow(), Qt::LeftButton);

  ASSERT_TRUE(tbtest::waitUntil([&] { return loginOnShow(); }));
  EXPECT_EQ(app->navigationController()->topViewController(), app->rootViewController()) << "demo's screens are gone";
  EXPECT_TRUE(login()->showsAccounts());
  EXPECT_EQ(offered(), QStringList{label("demo")});
  EXPECT_EQ(remembered("demo"), QString()) << "signing out forgets the password";
  waitNetworkIdle();
  EXPECT_FALSE(QDir(demoCache).exists()) << "and, when asked, what demo stored";

  // Another account: anne, whose first sign-in here finds nothing stored.
  QTest::mouseClick(login()->otherAccountRow(), Qt::LeftButton);
  EXPECT_FALSE(login()->showsAccounts());
  QTest::mouseClick(login()->accountsLink(), Qt::LeftButton);  // back to the list, and again
  EXPECT_TRUE(login()->showsAccounts());
  QTest::mouseClick(login()->otherAccountRow(), Qt::LeftButton);
  ASSERT_TRUE(signIn(QStringLiteral("anne"), QStringLiteral("jardin2013"), false));
  ASSERT_NE(open<MyHomeController>("MyHomeController"), nullptr);
  EXPECT_NE(BESessionManager::getInstance().dashboard(), nullptr);
  EXPECT_GT(watch->frames, 0);
  EXPECT_EQ(watch->leaks, QStringList());
}

TEST_F(AccountsEndToEndTest, SwitchingThroughTheAccountListKeepsEachAccountsOwnPassword) {
  // Demo (signed in by the fixture) goes to anne, who is remembered, and back.
  MySettingsController* settings = openSettings();
  ASSERT_NE(settings, nullptr);
  QTest::mouseClick(settings->switchAccountRow(), Qt::LeftButton);
  ASSERT_TRUE(tbtest::waitUntil([&] { return loginOnShow(); }));
  QTest::mouseClick(login()->otherAccountRow(), Qt::LeftButton);
  ASSERT_TRUE(signIn(QStringLiteral("anne"), QStringLiteral("jardin2013"), true));

  ASSERT_NE(settings = openSettings(), nullptr);
  QTest::mouseClick(settings->switchAccountRow(), Qt::LeftButton);
  ASSERT_TRUE(tbtest::waitUntil([&] { return loginOnShow(); }));
  EXPECT_EQ(remembered("anne"), foundation::stringToSha1(QStringLiteral("jardin2013")).value()) << "switching keeps it";
  ASSERT_EQ(offered(), (QStringList{label("anne"), label("demo")})) << "most recent first";
  // Demo's password was never remembered: choosing him asks for it.
  QTest::mouseClick(login()->accountRows().at(1), Qt::LeftButton);
  EXPECT_FALSE(login()->showsAccounts());
  EXPECT_EQ(login()->postUserName()->text(), QStringLiteral("demo"));
  EXPECT_FALSE(login()->isSigningIn());
  ASSERT_TRUE(signIn(QStringLiteral("demo"), QStringLiteral("demo"), false));

  // Anne's was: choosing her signs in at once, with nothing typed.
  ASSERT_NE(settings = openSettings(), nullptr);
  settings->switchAccount();
  ASSERT_TRUE(tbtest::waitUntil([&] { return loginOnShow(); }));
  ASSERT_EQ(offered(), (QStringList{label("demo"), label("anne")}));
  const auto requestsBefore = sim->server().recordedRequests().size();
  QTest::keyClick(login()->accountRows().at(1), Qt::Key_Space);
  EXPECT_TRUE(login()->isSigningIn());
  ASSERT_TRUE(waitForSignedInAs(QStringLiteral("anne")));
  EXPECT_GT(sim->server().recordedRequests().size(), requestsBefore);
}

TEST_F(AccountsEndToEndTest, EveryAccountKeptIsOfferedThoseUnderTheThirdScrollIntoViewAndAnotherAccountStaysInSight) {
  const QString server = BERestConfig::getInstance().baseURL();
  for (int i = 1; i <= 6; ++i) foundation::noteAccountUsed(foundation::Preferences::standard(), {QStringLiteral("voisin%1").arg(i), server});
  app->rootViewController()->openSettings();
  ASSERT_TRUE(tbtest::waitUntil([&] { return dynamic_cast<MySettingsController*>(app->navigationController()->topViewController()); }));
  dynamic_cast<MySettingsController*>(app->navigationController()->topViewController())->switchAccount();
  ASSERT_TRUE(tbtest::waitUntil([&] { return loginOnShow(); }));
  ASSERT_EQ(offered().size(), 7) << offered().join(", ").toStdString();
  EXPECT_EQ(offered().first(), label("voisin6")) << "most recent first";
  EXPECT_EQ(offered().last(), label("demo"));

  // Whether the whole of `widget` shows inside the login's account list.
  const auto inSight = [&](QWidget* widget) {
    QWidget* list = login()->otherAccountRow()->parentWidget();
    QWidget* clip = widget->parentWidget() == list ? list : widget->parentWidget()->parentWidget();
    const QRect frame(widget->mapTo(clip, QPoint()), widget->size());
    return clip->rect().contains(frame) && list->rect().contains(QRect(clip->mapTo(list, frame.topLeft()), frame.size()));
  };
  EXPECT_TRUE(inSight(login()->accountRows().at(2)));
  EXPECT_FALSE(inSight(login()->accountRows().at(3))) << "half a row says there are more";
  EXPECT_TRUE(inSight(login()->otherAccountRow()));
  app->window()->activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(app->window()));
  login()->accountRows().at(6)->setFocus();  // the keyboard goes down the list
  EXPECT_TRUE(inSight(login()->accountRows().at(6)));
  EXPECT_FALSE(inSight(login()->accountRows().at(0)));
  EXPECT_TRUE(inSight(login()->otherAccountRow()));
}

TEST_F(AccountsEndToEndTest, TheBackgroundSwitchesChangeTheirPreferencesAndAnUnwritableEntrySaysWhy) {
  const QByteArray before = qgetenv("XDG_CONFIG_HOME");
  tbtest::TempDir config;
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
  MySettingsController* settings = openSettings();
  ASSERT_NE(settings, nullptr);
  namespace background = backend::background;
  const std::pair<controls::OnOffSwitch*, std::function<bool()>> switches[] = {{settings->staySwitch(), background::staysInBackground},
                                                                               {settings->sessionSwitch(), background::startsWithSession},
                                                                               {settings->everyEventSwitch(), background::everyEvent}};
  for (const auto& [toggle, preference] : switches) {
    const QString name = toggle->accessibleName();
    ASSERT_EQ(toggle->isOn(), preference()) << name.toStdString();
    for (bool onTheRow : {true, false}) {  // a tap on the row is a tap on its switch
      const bool was = preference();
      QTest::mouseClick(onTheRow ? toggle->parentWidget() : static_cast<QWidget*>(toggle), Qt::LeftButton);
      EXPECT_EQ(preference(), !was) << name.toStdString();
      EXPECT_EQ(toggle->isOn(), !was) << name.toStdString();
    }
  }
  EXPECT_TRUE(settings->backgroundNote()->text().isEmpty());

  // Where the entry's folder cannot be made, the switch stays off and the note says which file.
  ASSERT_FALSE(background::startsWithSession());
  QFile blocker(config.file("not-a-folder"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(blocker.fileName()));
  QTest::mouseClick(settings->sessionSwitch(), Qt::LeftButton);
  EXPECT_FALSE(settings->sessionSwitch()->isOn());
  EXPECT_TRUE(settings->backgroundNote()->text().contains(QStringLiteral("autostart"))) << settings->backgroundNote()->text().toStdString();
  qputenv("XDG_CONFIG_HOME", before);
}

TEST_F(AccountsEndToEndTest, ACodeChosenThroughTheRowsIsStoredAndAskedBeforeTheOptionsLoosen) {
  MySettingsController* settings = openSettings();
  ASSERT_NE(settings, nullptr);
  auto pad = [&]() -> controls::CodePad* {
    for (auto* p : app->window()->findChildren<controls::CodePad*>())
      if (p->isVisible()) return p;
    return nullptr;
  };
  auto type = [&](const QString& code) {
    QTest::keyClicks(pad(), code);
    QTest::keyClick(pad(), Qt::Key_Return);
  };
  ASSERT_FALSE(backend::AlarmLock().hasCode());
  EXPECT_FALSE(settings->removeCodeRow()->isEnabled());
  EXPECT_FALSE(settings->askAtStartSwitch()->isEnabled()) << "nothing to ask without a code";

  QTest::mouseClick(settings->codeRow(), Qt::LeftButton);
  ASSERT_NE(pad(), nullptr);
  auto* prompt = app->window()->findChild<controls::CodePrompt*>();
  ASSERT_NE(prompt, nullptr);
  prompt->lock().setIterations(1000);
  type(QStringLiteral("2468"));
  type(QStringLiteral("2468"));
  ASSERT_TRUE(tbtest::waitUntil([&] { return pad() == nullptr; }));
  EXPECT_TRUE(backend::AlarmLock().hasCode());
  EXPECT_EQ(settings->codeRow()->title(), foundation::localized("kTradCodeChange"));
  EXPECT_TRUE(settings->removeCodeRow()->isEnabled());
  ASSERT_TRUE(settings->askAtStartSwitch()->isEnabled());

  // Asking more is free; asking less takes the code, and a cancelled question changes nothing.
  QTest::mouseClick(settings->askAtStartSwitch(), Qt::LeftButton);
  EXPECT_TRUE(backend::AlarmLock().askAtStart());
  QTest::mouseClick(settings->askAfterRows().at(2), Qt::LeftButton);
  EXPECT_EQ(backend::AlarmLock().backgroundMinutes(), MySettingsController::askAfterChoices().at(2));
  EXPECT_EQ(pad(), nullptr);
  QTest::mouseClick(settings->askAtStartSwitch(), Qt::LeftButton);
  ASSERT_NE(pad(), nullptr);
  app->window()->findChild<controls::CodePrompt*>()->cancel();
  EXPECT_TRUE(backend::AlarmLock().askAtStart());
  EXPECT_TRUE(settings->askAtStartSwitch()->isOn());
  QTest::mouseClick(settings->askAfterRows().at(0), Qt::LeftButton);  // never
  ASSERT_NE(pad(), nullptr);
  type(QStringLiteral("2468"));
  ASSERT_TRUE(tbtest::waitUntil([&] { return pad() == nullptr; }, 20000));
  EXPECT_EQ(backend::AlarmLock().backgroundMinutes(), 0);
  EXPECT_TRUE(settings->askAfterRows().at(0)->isChecked());
  EXPECT_FALSE(settings->askAfterRows().at(2)->isChecked());
}

TEST_F(AccountsEndToEndTest, AnAccountOfAnotherServerSwitchesTheAppToItAndBack) {
  // A second service on another port: anne signs in there, demo (the fixture's) stays on this one.
  simtest::SimHarness other;
  const QString baseA = BERestConfig::getInstance().baseURL();
  QString serverB = other.server().baseUrl().toString();
  while (serverB.endsWith('/')) serverB.chop(1);
  const QString baseB = serverB + QStringLiteral("/tavrobox/v1");
  auto labelOn = [](const char* user, const QString& base) { return foundation::Account{QString::fromLatin1(user), base}.label(); };
  auto readsOf = [](simtest::SimHarness& harness) {
    int reads = 0;
    for (const auto& request : harness.server().recordedRequests()) reads += request.method == "GET";
    return reads;
  };

  // A read of this server still on its way when the user leaves for the other one.
  ASSERT_NE(open<MyHomeController>("MyHomeController"), nullptr);
  const QJsonObject slow{{"path", "/dashboard"}, {"method", "GET"}, {"effect", "delay"}, {"ms", 400}};
  ASSERT_EQ(sim->control("POST", QStringLiteral("/_sim/fail"), QJsonDocument(slow).toJson()).status / 100, 2);
  sim->server().clearRecordedRequests();
  app->liveState()->refreshTopScreen();
  app->navigationController()->popToRootViewControllerAnimated(false);
  MySettingsController* settings = openSettings();
  ASSERT_NE(settings, nullptr);
  QTest::mouseClick(settings->switchAccountRow(), Qt::LeftButton);
  ASSERT_TRUE(tbtest::waitUntil([&] { return loginOnShow(); }));
  ASSERT_TRUE(tbtest::waitUntil([&] { return readsOf(*sim) > 0; }));
  ASSERT_GT(rest::networkActivityCount(), 0);

  // "Autre compte" takes a server, the configured one to start with, checked as the configuration's.
  QTest::mouseClick(login()->otherAccountRow(), Qt::LeftButton);
  EXPECT_EQ(login()->postServer()->text() + QStringLiteral("/tavrobox/v1"), baseA);
  login()->postServer()->setText(QStringLiteral("http://example.com"));
  login()->postUserName()->setText(QStringLiteral("anne"));
  login()->postPassword()->setText(QStringLiteral("jardin2013"));
  login()->textFieldShouldReturn(login()->postPassword());
  EXPECT_FALSE(login()->isSigningIn()) << "plain http:// to another machine sends nothing";
  EXPECT_EQ(login()->errorLabel()->text(), foundation::localized("kTradServerInvalid"));
  EXPECT_EQ(BERestConfig::getInstance().baseURL(), baseA);

  auto watch = std::make_unique<LeakWatch>("anne");
  login()->postServer()->setText(serverB + QStringLiteral("/"));
  sim->server().clearRecordedRequests();
  ASSERT_TRUE(signIn(QStringLiteral("anne"), QStringLiteral("jardin2013"), true));
  EXPECT_EQ(BERestConfig::getInstance().baseURL(), baseB);
  ASSERT_TRUE(waitNetworkIdle());
  EXPECT_EQ(BESessionManager::getInstance().dashboard(), nullptr) << "the first server's late answer files nothing";
  ASSERT_NE(open<MyHomeController>("MyHomeController"), nullptr);
  EXPECT_NE(BESessionManager::getInstance().dashboard(), nullptr);
  EXPECT_GT(readsOf(other), 0);
  EXPECT_EQ(sim->server().recordedCount(), 0) << "nothing of anne's session goes to the first server";
  EXPECT_EQ(watch->leaks, QStringList());
  watch.reset();

  // Back to demo on the first server, through the list that holds both servers' accounts.
  app->navigationController()->popToRootViewControllerAnimated(false);
  ASSERT_NE(settings = openSettings(), nullptr);
  settings->switchAccount();
  ASSERT_TRUE(tbtest::waitUntil([&] { return loginOnShow(); }));
  ASSERT_EQ(offered(), (QStringList{labelOn("anne", baseB), labelOn("demo", baseA)}));
  other.server().clearRecordedRequests();
  QTest::mouseClick(login()->accountRows().at(1), Qt::LeftButton);
  EXPECT_FALSE(login()->isSigningIn()) << "demo's password was not remembered";
  ASSERT_TRUE(signIn(QStringLiteral("demo"), QStringLiteral("demo"), false));
  EXPECT_EQ(BERestConfig::getInstance().baseURL(), baseA);
  ASSERT_NE(open<MyHomeController>("MyHomeController"), nullptr);
  EXPECT_EQ(other.server().recordedCount(), 0);

  // And anne again, from the login a lost session brings over demo's screens: demo's session ends
  // first, and her remembered password signs her in on her server at once.
  app->showLoginScreen();
  ASSERT_TRUE(tbtest::waitUntil([&] { return loginOnShow(); }));
  ASSERT_TRUE(login()->showsAccounts());
  ASSERT_EQ(offered(), (QStringList{labelOn("demo", baseA), labelOn("anne", baseB)}));
  QTest::mouseClick(login()->accountRows().at(1), Qt::LeftButton);
  EXPECT_TRUE(login()->isSigningIn());
  EXPECT_EQ(app->navigationController()->topViewController(), app->rootViewController()) << "demo's screens went with him";
  ASSERT_TRUE(waitForSignedInAs(QStringLiteral("anne")));
  EXPECT_EQ(BERestConfig::getInstance().baseURL(), baseB);
  EXPECT_GT(other.server().recordedCount(), 0);

  // The next run starts on anne's server, straight in: her password is remembered.
  ASSERT_TRUE(waitIdle());
  app->navigationController()->popToRootViewControllerAnimated(false);
  app.reset();
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  shelltest::resetSingletons();
  foundation::Configuration configuration;
  configuration.restServer = baseA.chopped(QStringLiteral("/tavrobox/v1").size());
  configuration.restType = QStringLiteral("tavrobox");
  configuration.restVersion = QStringLiteral("v1");
  other.server().clearRecordedRequests();
  sim->server().clearRecordedRequests();
  app = std::make_unique<TavroBoxAppAppDelegate>();
  ASSERT_TRUE(app->applicationDidFinishLaunchingWithOptions(configuration));
  EXPECT_EQ(BERestConfig::getInstance().configuredBaseURL(), baseA);
  EXPECT_EQ(BERestConfig::getInstance().baseURL(), baseB);
  EXPECT_EQ(app->popupWindow(), nullptr) << "the menu comes first";
  ASSERT_TRUE(tbtest::waitUntil([&] { return BESessionManager::getInstance().signedInLogin() == "anne"; }));
  EXPECT_GT(other.server().recordedCount(), 0);
  EXPECT_EQ(sim->server().recordedCount(), 0);
}

}  // namespace
}  // namespace screentest
