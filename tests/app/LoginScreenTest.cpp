// The login screen: its fields, the return keys, the status line, and the remembered credentials
// across launches (user name and flag in the preferences, the password's digest in the secret store).
#include "ShellTestSupport.h"

#include "backend/BENotifications.h"
#include "backend/SessionEnd.h"
#include "backend/BESessionManager.h"
#include "controls/OnOffSwitch.h"

#include "foundation/Digest.h"
#include "foundation/Preferences.h"
#include "foundation/RememberedSignIn.h"
#include "foundation/SecretStore.h"
#include "foundation/Strings.h"
#include "support/FakeKeychain.h"
#include "support/Wait.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/Views.h"
#include "ui/Window.h"

#include <QAction>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTest>

using namespace shelltest;
using simcore::HttpResponse;

namespace {

// What the preferences and the secret store hold for the next launch.
struct Remembered {
  std::optional<bool> autoLogin;
  QString login;
  QString password;  // what the secret store holds for it: the digest
  bool operator==(const Remembered&) const = default;
};

void PrintTo(const Remembered& r, std::ostream* os) {
  *os << "{autoLogin " << (r.autoLogin ? (*r.autoLogin ? "true" : "false") : "absent") << ", login \""
      << r.login.toStdString() << "\", password \"" << r.password.toStdString() << "\"}";
}

// Frames drawn, with the login popup on show or without.
class PaintWatch : public QObject {
 public:
  int withLogin = 0, withoutLogin = 0;
  // Frames with the login drawn while `underWay` says the sign-in has not ended yet.
  int withLoginUnderWay = 0;
  std::function<bool()> underWay = [] { return false; };
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (event->type() != QEvent::Paint || !watched->isWidgetType()) return false;
    const QWidget* popup = static_cast<QWidget*>(watched)->window()->findChild<QWidget*>(QStringLiteral("loginPopup"));
    const bool login = popup && popup->isVisible();
    ++(login ? withLogin : withoutLogin);
    if (login && underWay()) ++withLoginUnderWay;
    return false;
  }
};

class LoginScreenTest : public ShellTest {
 protected:
  static Remembered remembered() {
    auto& preferences = foundation::Preferences::standard();
    return {preferences.boolean(foundation::kAutoLogPref), preferences.string(foundation::kLoginPref),
            foundation::SecretStore::standard().read(foundation::kPasswordDigestPref)};
  }
  static QString digestOf(const char* password) { return foundation::stringToSha1(QString::fromLatin1(password)).value(); }
  // A later start of the app (later also for the response cache, which would otherwise answer a
  // repeated sign-in sent at the very same instant).
  void relaunch() {
    quit();
    clock.advanceBy(60);
    launch();
    ASSERT_TRUE(QTest::qWaitForWindowActive(app->window()));
  }
  // A later start with remembered credentials signs in by itself, behind the menu; the service
  // answers `answer`. A failure brings the login screen up.
  bool relaunchSigningInByItself(HttpResponse answer) {
    server.script().enqueue(std::move(answer));
    NotificationLog outcome({kSuccessLoginPostLogin, kErrorLoginPostLogin});
    relaunch();
    if (!tbtest::waitUntil([&] { return !outcome.names().isEmpty(); })) {
      ADD_FAILURE() << "the app did not sign in by itself";
      return false;
    }
    const bool signedIn = outcome.names() == QStringList{kSuccessLoginPostLogin};
    if (!signedIn && !tbtest::waitUntil([&] { return loginScreen() != nullptr; })) ADD_FAILURE() << "no login after the failure";
    return signedIn;
  }
  QJsonObject sentBody(int index) {
    if (!tbtest::waitUntil([&] { return server.requestCount() > index; })) return {};
    return QJsonDocument::fromJson(server.requests().at(index).body).object();
  }
};

TEST_F(LoginScreenTest, RememberedCredentialsFillTheNextLaunchAndAFailedSignInErasesThem) {
  launch();
  ASSERT_TRUE(signInWith(QStringLiteral("demo"), QStringLiteral("s3cret"), true, HttpResponse::json(200, signInAnswer())));
  EXPECT_EQ(remembered(), (Remembered{true, QStringLiteral("demo"), digestOf("s3cret")}));

  // Next launch: the sign-in goes by itself behind the menu, with the remembered digest. The
  // password was changed elsewhere: it fails, nothing stays remembered, and the login comes up
  // saying so, offering the account to sign in again.
  EXPECT_FALSE(relaunchSigningInByItself(HttpResponse::json(401, "{}")));
  LoginViewController* login = loginScreen();
  ASSERT_NE(login, nullptr);
  EXPECT_EQ(sentBody(1).value("login").toString(), QStringLiteral("demo"));
  EXPECT_EQ(sentBody(1).value("password").toString(), digestOf("s3cret"));
  EXPECT_EQ(remembered(), (Remembered{std::nullopt, QString(), QString()}));
  EXPECT_EQ(login->errorLabel()->text(), foundation::localized("Bad Login or Password"));
  EXPECT_EQ(login->errorLabel()->textColor(), ui::rgb(1, 0, 0, 0.8));
  EXPECT_TRUE(login->showsAccounts());
  EXPECT_FALSE(login->isSigningIn()) << "the user may try again";

  // Choosing the account asks for its password: nothing of it is remembered.
  login->chooseAccount(0);
  EXPECT_EQ(login->postUserName()->text(), QStringLiteral("demo"));
  EXPECT_EQ(login->postPassword()->text(), QString());
  EXPECT_FALSE(login->rememberState()->isOn());
  EXPECT_TRUE(login->postPassword()->hasFocus());
  EXPECT_FALSE(login->isSigningIn());

  relaunch();
  login = loginScreen();
  ASSERT_NE(login, nullptr);
  EXPECT_EQ(login->postUserName()->text(), QString());
  EXPECT_EQ(login->postPassword()->text(), QString());
  EXPECT_FALSE(login->rememberState()->isOn());
  EXPECT_TRUE(login->showsAccounts());
}

// A sign-in that fails without the service refusing the credentials (it could not be reached,
// or it is in trouble) keeps them for the next attempt and says so.
TEST_F(LoginScreenTest, ASignInThatDidNotReachTheServiceKeepsTheRememberedCredentials) {
  launch();
  ASSERT_TRUE(signInWith(QStringLiteral("demo"), QStringLiteral("s3cret"), true, HttpResponse::json(200, signInAnswer())));
  const Remembered kept{true, QStringLiteral("demo"), digestOf("s3cret")};
  for (HttpResponse answer : {HttpResponse::json(503, R"({"error": "maintenance"})"), HttpResponse::text(500, "down"),
                              HttpResponse::json(200, "{}").withEffect(simcore::SocketEffect::closeBeforeAnswer())}) {
    EXPECT_FALSE(relaunchSigningInByItself(answer));
    EXPECT_EQ(remembered(), kept);
    EXPECT_EQ(loginScreen()->errorLabel()->text(), foundation::localized("The service could not be reached"));
    EXPECT_FALSE(loginScreen()->isSigningIn());
  }
}

// Credentials are remembered once the service accepted them, and as what the sign-in sends (the
// digest), never in clear; an earlier version's clear password is rewritten the first time.
TEST_F(LoginScreenTest, OnlyAcceptedCredentialsAreRememberedAndOnlyAsTheirDigest) {
  launch();
  EXPECT_FALSE(signInWith(QStringLiteral("demo"), QStringLiteral("s3cret"), true, HttpResponse::json(503, "{}")));
  EXPECT_EQ(remembered(), (Remembered{std::nullopt, QString(), QString()})) << "not accepted yet";
  ASSERT_TRUE(signInWith(QStringLiteral("demo"), QStringLiteral("s3cret"), true, HttpResponse::json(200, signInAnswer())));
  EXPECT_EQ(remembered(), (Remembered{true, QStringLiteral("demo"), digestOf("s3cret")}));

  quit();
  auto& preferences = foundation::Preferences::standard();
  preferences.remove(foundation::kPasswordDigestPref);
  preferences.setString(foundation::kPasswordPref, QStringLiteral("s3cret"));  // as an earlier version kept it
  EXPECT_TRUE(relaunchSigningInByItself(HttpResponse::json(200, signInAnswer())));
  EXPECT_EQ(sentBody(2).value("password").toString(), digestOf("s3cret"));
  EXPECT_EQ(remembered(), (Remembered{true, QStringLiteral("demo"), digestOf("s3cret")}));
  preferences.sync();
  QFile file(preferences.filePath());
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  EXPECT_FALSE(file.readAll().contains("s3cret")) << "the clear password stays on disk";
}

TEST_F(LoginScreenTest, NothingIsRememberedWithoutTheSwitchOrWithAnEmptyField) {
  struct Case {
    const char* what;
    const char* user;
    const char* password;
    bool remember;
  };
  const Case cases[] = {
      {"switch off", "demo", "demo", false},
      {"empty password", "demo", "", true},
      {"empty user name", "", "demo", true},
  };
  launch();
  int index = 0;
  for (const Case& c : cases) {
    // Something remembered before for that account, to see it go (another account keeps its own).
    const QString account = *c.user ? QString::fromLatin1(c.user) : QStringLiteral("old");
    foundation::Preferences::standard().setBool(foundation::kAutoLogPref, true);
    foundation::Preferences::standard().setString(foundation::kLoginPref, account);
    foundation::SecretStore::standard().write(foundation::kPasswordDigestPref, digestOf("old"));

    EXPECT_FALSE(signInWith(QString::fromLatin1(c.user), QString::fromLatin1(c.password), c.remember,
                            HttpResponse::json(401, "{}")));
    const Remembered expected = *c.user ? Remembered{std::nullopt, QString(), QString()} : Remembered{true, account, digestOf("old")};
    EXPECT_EQ(remembered(), expected) << c.what;
    // The request goes out all the same, with the user name as typed.
    EXPECT_EQ(sentBody(index++).value("login").toString(), QString::fromLatin1(c.user)) << c.what;
  }
}

TEST_F(LoginScreenTest, ReturnInTheUserNameMovesOnAndReturnInThePasswordSignsInOnce) {
  launch();
  ASSERT_TRUE(QTest::qWaitForWindowActive(app->window()));
  LoginViewController* login = loginScreen();
  ASSERT_NE(login, nullptr);
  EXPECT_TRUE(login->postUserName()->hasFocus());

  QTest::keyClicks(login->postUserName(), QStringLiteral("demo"));
  QTest::keyClick(login->postUserName(), Qt::Key_Return);
  EXPECT_TRUE(login->postPassword()->hasFocus());
  tbtest::processEventsFor(50);
  EXPECT_EQ(server.requestCount(), 0) << "return in the user name sends nothing";

  server.script().enqueue(HttpResponse::json(200, signInAnswer()));
  QTest::keyClicks(login->postPassword(), QStringLiteral("demo"));
  QTest::keyClick(login->postPassword(), Qt::Key_Return);
  EXPECT_EQ(login->errorLabel()->text(), foundation::localized("In progress..."));
  EXPECT_EQ(login->errorLabel()->textColor(), QColor(Qt::black));
  QTest::keyClick(login->postPassword(), Qt::Key_Return);  // impatient: still one sign-in
  QTest::mouseClick(login->loginButton(), Qt::LeftButton);
  ASSERT_TRUE(tbtest::waitUntil([&] { return app->popupWindow() && finishedRequests() >= 1; }));
  tbtest::processEventsFor(50);
  EXPECT_EQ(server.requestCount(), 1);
  EXPECT_EQ(sentBody(0).value("login").toString(), QStringLiteral("demo"));

  // The status line keeps its text until the popup goes; then the keyboard leaves the password.
  clock.advanceBy(1.0);
  EXPECT_EQ(login->errorLabel()->text(), foundation::localized("In progress..."));
  EXPECT_TRUE(login->postPassword()->hasFocus());
  clock.advanceBy(1.0);
  EXPECT_FALSE(login->postPassword()->hasFocus());
  EXPECT_TRUE(app->releasedPopup());
}

TEST_F(LoginScreenTest, ARememberedStartDrawsTheMenuWithNoLoginFrameUnlessTheServiceRefuses) {
  // A system keychain answers through the event loop; meanwhile nothing may be drawn (a frame of
  // the wrong screen). With the password remembered the screen the user needs is the menu: the
  // sign-in goes behind it, and the login shows only when the service refuses the password.
  for (const bool accepted : {true, false}) {
    SCOPED_TRACE(accepted ? "accepted" : "refused");
    QMap<QString, QString> keychain{{foundation::kPasswordDigestPref, digestOf("s3cret")}};
    foundation::Preferences::standard().setBool(foundation::kAutoLogPref, true);
    foundation::Preferences::standard().setString(foundation::kLoginPref, QStringLiteral("demo"));
    foundation::SecretStore::setStandard(foundation::makeSecretStore(
        foundation::Preferences::standard(), std::make_unique<tbtest::FakeKeychain>(true, &keychain), 1000));
    server.script().enqueue(accepted ? HttpResponse::json(200, signInAnswer()) : HttpResponse::json(401, "{}"));
    NotificationLog outcome({kSuccessLoginPostLogin, kErrorLoginPostLogin});
    PaintWatch paints;
    paints.underWay = [&outcome] { return outcome.names().isEmpty(); };
    qApp->installEventFilter(&paints);
    launch();
    ASSERT_TRUE(tbtest::waitUntil([&] { return !outcome.names().isEmpty() && paints.withoutLogin > 0; }));
    EXPECT_EQ(paints.withLoginUnderWay, 0) << "no login frame while the sign-in is under way";
    EXPECT_EQ(outcome.names(), QStringList{accepted ? kSuccessLoginPostLogin : kErrorLoginPostLogin});
    if (accepted) {
      EXPECT_EQ(paints.withLogin, 0);
      clock.advanceBy(TavroBoxAppAppDelegate::kLoginScreenDelaySeconds);
      tbtest::processEventsFor(50);
      EXPECT_EQ(paints.withLogin, 0);
      EXPECT_EQ(app->popupWindow(), nullptr);
    } else {
      EXPECT_TRUE(tbtest::waitUntil([&] { return paints.withLogin > 0; }));
      ASSERT_NE(loginScreen(), nullptr);
      EXPECT_EQ(loginScreen()->errorLabel()->text(), foundation::localized("Bad Login or Password"));
    }
    qApp->removeEventFilter(&paints);
    quit();
    clock.advanceBy(60);
  }
}

TEST_F(LoginScreenTest, SigningOutWhileTheRememberedSignInIsUnderWayKeepsItsAnswerFromSigningIn) {
  launch();
  ASSERT_TRUE(signInWith(QStringLiteral("demo"), QStringLiteral("s3cret"), true, HttpResponse::json(200, signInAnswer())));
  server.script().enqueue(HttpResponse::json(200, signInAnswer("S2")).withEffect(simcore::SocketEffect::delay(300)));
  NotificationLog outcome({kSuccessLoginPostLogin, kErrorLoginPostLogin});
  relaunch();
  ASSERT_TRUE(tbtest::waitUntil([&] { return server.requestCount() == 2; }));
  app->signOut({});
  tbtest::processEventsFor(600);
  EXPECT_EQ(outcome.names(), QStringList());
  EXPECT_EQ(BESessionManager::getInstance().sessionId(), "");
  ASSERT_NE(loginScreen(), nullptr);
  EXPECT_TRUE(app->popupWindow()->isVisible());
  EXPECT_EQ(remembered(), (Remembered{std::nullopt, QString(), QString()}));
}

TEST_F(LoginScreenTest, TheWindowFirstShowsTheLoginScreenEvenWhenTheKeychainAnswersLater) {
  // Without a password remembered the screen the user needs is the login: while the keychain is
  // asked, in event loops of its own, the menu beneath must not be drawn alone.
  QMap<QString, QString> keychain;
  foundation::Preferences::standard().setBool(foundation::kAutoLogPref, true);
  foundation::Preferences::standard().setString(foundation::kLoginPref, QStringLiteral("demo"));
  foundation::SecretStore::setStandard(foundation::makeSecretStore(
      foundation::Preferences::standard(), std::make_unique<tbtest::FakeKeychain>(true, &keychain), 1000));
  PaintWatch paints;
  qApp->installEventFilter(&paints);
  launch();
  EXPECT_TRUE(tbtest::waitUntil([&] { return paints.withLogin > 0; }));
  qApp->removeEventFilter(&paints);
  EXPECT_EQ(paints.withoutLogin, 0);
}

TEST_F(LoginScreenTest, TheClearButtonShowsOnlyWhileAFieldIsEdited) {
  launch();
  ASSERT_TRUE(QTest::qWaitForWindowActive(app->window()));
  controls::TextField* user = loginScreen()->postUserName();
  controls::TextField* password = loginScreen()->postPassword();
  EXPECT_TRUE(user->offersClearButton());
  EXPECT_FALSE(password->offersClearButton());
  password->becomeFirstResponder();
  EXPECT_FALSE(user->offersClearButton());
  EXPECT_TRUE(password->offersClearButton());
  password->setText(QStringLiteral("s3cret"));
  QAction* clear = password->actions().value(0);
  ASSERT_NE(clear, nullptr);
  EXPECT_TRUE(clear->isVisible());
  clear->trigger();
  EXPECT_EQ(password->text(), QString());
  EXPECT_FALSE(clear->isVisible()) << "nothing left to clear";
  EXPECT_EQ(password->inputMethodQuery(Qt::ImEnterKeyType).toInt(), int(Qt::EnterKeyGo)) << "the Join key";
}

TEST_F(LoginScreenTest, TheRememberSwitchTurnsOverOnATapAndReportsIt) {
  launch();
  controls::OnOffSwitch* toggle = loginScreen()->rememberState();
  int changes = 0;
  QObject::connect(toggle, &ui::Control::valueChanged, [&] { ++changes; });
  QTest::mouseClick(toggle, Qt::LeftButton, {}, QPoint(10, 10));
  EXPECT_TRUE(toggle->isOn());
  EXPECT_EQ(toggle->knobPosition(), 1.0);
  QTest::mouseClick(toggle, Qt::LeftButton, {}, QPoint(40, 10));
  EXPECT_FALSE(toggle->isOn());
  EXPECT_EQ(changes, 2);
  toggle->setOn(true);  // from code: no report
  EXPECT_EQ(changes, 2);
}

}  // namespace
