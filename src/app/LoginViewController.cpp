#include "app/LoginViewController.h"

#include "app/AccountRows.h"

#include "controls/OnOffSwitch.h"
#include "controls/RowButton.h"

#include "backend/BENotifications.h"
#include "backend/BERestConfig.h"
#include "backend/BEServiceLogin.h"
#include "backend/SessionEnd.h"
#include "foundation/Digest.h"
#include "foundation/Logging.h"
#include "foundation/Preferences.h"
#include "foundation/SecretStore.h"
#include "foundation/Strings.h"
#include "ui/Button.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Images.h"
#include "ui/Label.h"
#include "ui/Views.h"


#include <algorithm>
#include <utility>

namespace {

// The layout: a picture with the brand at the top and a white card below, on which the fields
// sit. Points in the popup, which covers the application area (320 × 460).
constexpr int kLeft = 36;
constexpr int kWidth = 248;
const QRect kTaglineFrame(20, 124, 280, 18);
const QRect kLoginLabelFrame(kLeft, 176, kWidth, 20);
const QRect kUserFieldFrame(kLeft, 199, kWidth, 38);
const QRect kPasswordLabelFrame(kLeft, 249, kWidth, 20);
const QRect kPasswordFieldFrame(kLeft, 272, kWidth, 38);
const QRect kRememberLabelFrame(kLeft, 325, 180, 31);
const QPoint kSwitchOrigin(kLeft + kWidth - controls::OnOffSwitch::kWidth, 325);
const QRect kButtonFrame(kLeft, 371, kWidth, 42);
const QRect kStatusFrame(kLeft, 418, kWidth, 20);

// With the server field of a new account, the same card holds one more caption and field: the
// rows close up and the fields are a little lower.
struct FieldFrames {
  QRect serverLabel, serverField, loginLabel, userField, passwordLabel, passwordField, rememberLabel;
  QPoint switchOrigin;
  QRect button;
};
const FieldFrames kFrames{{}, {}, kLoginLabelFrame, kUserFieldFrame, kPasswordLabelFrame, kPasswordFieldFrame,
                          kRememberLabelFrame, kSwitchOrigin, kButtonFrame};
const FieldFrames kFramesWithServer{QRect(kLeft, 172, kWidth, 18),
                                    QRect(kLeft, 192, kWidth, 32),
                                    QRect(kLeft, 230, kWidth, 18),
                                    QRect(kLeft, 250, kWidth, 32),
                                    QRect(kLeft, 288, kWidth, 18),
                                    QRect(kLeft, 308, kWidth, 32),
                                    QRect(kLeft, 346, 180, 28),
                                    QPoint(kLeft + kWidth - controls::OnOffSwitch::kWidth, 347),
                                    QRect(kLeft, 380, kWidth, 38)};

// The account list over the card: a caption, the accounts (three whole, the others scrolling)
// and "Autre compte".
const QRect kAccountListFrame(kLeft, 170, kWidth, 250);
constexpr int kAccountRowTop = 30;

const QColor kStatusProgress = ui::rgb(0, 0, 0, 1);
const QColor kStatusError = ui::rgb(1, 0, 0, 0.8);

ui::Label* caption(const QRect& frame, QWidget* parent) {
  auto* label = new ui::Label(frame, parent);
  label->setTextColor(Qt::black);
  label->setFont(ui::Fonts::font(QStringLiteral("Valdo-Bold"), 16));
  return label;
}

}  // namespace

LoginViewController::LoginViewController(QObject* parent) : ui::Screen(parent) {}

LoginViewController::~LoginViewController() = default;

void LoginViewController::loadView() {
  auto* view = new QWidget();
  view->setObjectName(QStringLiteral("loginView"));
  view->resize(320, 460);
  auto* background = new ui::ImageView(QRect(0, 0, 320, 460), view);
  background->setImageName(QStringLiteral("login_background.png"));

  m_tagline = new ui::Label(kTaglineFrame, view);
  m_tagline->setTextAlignment(Qt::AlignHCenter);
  m_tagline->setTextColor(ui::rgb(0.78, 0.84, 0.91));
  m_tagline->setFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 13));

  // The field captions: black, bold, 16 points.
  m_serverLabel = caption(QRect(), view);
  m_postServer = new controls::TextField(QRect(), view);
  m_postServer->setObjectName(QStringLiteral("postServer"));
  m_serverLabel->setBuddy(m_postServer);
  m_loginLabel = caption(kLoginLabelFrame, view);
  m_postUserName = new controls::TextField(kUserFieldFrame, view);
  m_postUserName->setObjectName(QStringLiteral("postUserName"));
  m_passwordLabel = caption(kPasswordLabelFrame, view);
  m_postPassword = new controls::TextField(kPasswordFieldFrame, view);
  m_postPassword->setObjectName(QStringLiteral("postPassword"));
  m_postPassword->setSecureTextEntry(true);

  m_rememberLabel = new ui::Label(kRememberLabelFrame, view);
  m_rememberLabel->setTextColor(ui::rgb(0.2, 0.24, 0.3));
  m_rememberLabel->setFont(ui::Fonts::font(QStringLiteral("Valdo-Regular"), 15));
  m_rememberState = new controls::OnOffSwitch(kSwitchOrigin, view);
  m_rememberState->setObjectName(QStringLiteral("rememberState"));
  // The captions name the fields and the switch for assistive technology.
  m_loginLabel->setBuddy(m_postUserName);
  m_passwordLabel->setBuddy(m_postPassword);
  m_rememberLabel->setBuddy(m_rememberState);

  // Besides the return key of the password field, a button signs in.
  m_loginButton = new ui::Button(kButtonFrame, view);
  m_loginButton->setObjectName(QStringLiteral("loginButton"));
  m_loginButton->setBackgroundImage(ui::Images::named(QStringLiteral("login_button_blue.png")).withCapInsets(QMargins(12, 12, 12, 12)));
  m_loginButton->setBackgroundImage(
      ui::Images::named(QStringLiteral("login_button_pressed_blue.png")).withCapInsets(QMargins(12, 12, 12, 12)),
      ui::Control::Highlighted);
  m_loginButton->setTitleFont(ui::Fonts::font(QStringLiteral("Valdo-Bold"), 16));
  m_loginButton->setTitleColor(Qt::white);
  m_loginButton->setTitleShadowColor(QColor(0, 0, 0, 70));
  connect(m_loginButton, &ui::Control::touchUpInside, this, [this] {
    emit signInAskedByUser();
    performLogin();
  });

  buildAccountList(view);

  m_errorLabel = new ui::Label(kStatusFrame, view);
  m_errorLabel->setObjectName(QStringLiteral("errorLabel"));
  m_errorLabel->setTextAlignment(Qt::AlignHCenter);
  m_errorLabel->setFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 14));
  setView(view);
}

void LoginViewController::viewDidLoad() {
  // 1. Fields.
  for (controls::TextField* field : {m_postServer, m_postUserName, m_postPassword}) {
    field->setDelegate(this);
    field->setClearsOnBeginEditing(false);
    field->setClearButtonMode(controls::TextField::ClearButtonMode::WhileEditing);
  }
  m_postServer->setReturnKeyType(controls::TextField::ReturnKeyType::Next);
  m_postUserName->setReturnKeyType(controls::TextField::ReturnKeyType::Next);
  m_postPassword->setReturnKeyType(controls::TextField::ReturnKeyType::Join);

  // 2. Texts.
  m_serverLabel->setText(foundation::localized("kTradServer"));
  m_postServer->setPlaceholderText(QStringLiteral("https://"));
  m_loginLabel->setText(foundation::localized("User Name"));
  m_passwordLabel->setText(foundation::localized("Password"));
  m_rememberLabel->setText(foundation::localized("Remember me"));
  m_postUserName->setPlaceholderText(foundation::localized("John Doe"));
  m_postPassword->setPlaceholderText(foundation::localized("password"));
  m_tagline->setText(foundation::localized("Your home at your fingertips"));
  m_loginButton->setTitle(foundation::localized("Sign in"));

  // 3. The user name first; nothing remembered yet.
  showServerField(false);
  giveKeyboardTo(m_postUserName);
  m_rememberState->setOn(false);

  // 4. Remembered credentials: the user only has to confirm with the return key. Only the
  // password's digest is kept, so its field stays empty and says that it stands for it.
  m_remembered =
      foundation::startSignInFor(foundation::Preferences::standard(), foundation::SecretStore::standard(), server(), configuredServer());
  if (m_remembered) {
    m_postUserName->setText(m_remembered->login);
    m_postPassword->setPlaceholderText(foundation::localized("remembered password"));
    m_rememberState->setOn(true);
    giveKeyboardTo(m_postPassword);
  }

  // 5. Nothing starts by itself: the accounts used before come first, of every server.
  for (const foundation::Account& account : foundation::usedAccounts(foundation::Preferences::standard()))
    if (m_accounts.size() < foundation::kMaxUsedAccounts) m_accounts << account;
  m_otherAccount->setTitle(foundation::localized("kTradOtherAccount"));
  m_accountsLink->setTitle(foundation::localized("kTradAccounts"));
  m_accountCaption->setText(foundation::localized("kTradChooseAccount"));
  showAccounts(!m_remembered && !m_accounts.isEmpty());
}

void LoginViewController::offerAccounts() {
  if (!m_signingIn && !m_accounts.isEmpty()) showAccounts(true);
}

QString LoginViewController::server() const { return BERestConfig::getInstance().baseURL(); }

QString LoginViewController::configuredServer() const { return BERestConfig::getInstance().configuredBaseURL(); }

void LoginViewController::showServerField(bool shown) {
  const FieldFrames& frames = shown ? kFramesWithServer : kFrames;
  m_serverLabel->setVisible(shown);
  m_postServer->setVisible(shown);
  if (shown) {
    m_serverLabel->setGeometry(frames.serverLabel);
    m_postServer->setGeometry(frames.serverField);
  }
  m_loginLabel->setGeometry(frames.loginLabel);
  m_postUserName->setGeometry(frames.userField);
  m_passwordLabel->setGeometry(frames.passwordLabel);
  m_postPassword->setGeometry(frames.passwordField);
  m_rememberLabel->setGeometry(frames.rememberLabel);
  m_rememberState->move(frames.switchOrigin);
  m_loginButton->setGeometry(frames.button);
  // The way back to the list stays on the first caption's row.
  m_accountsLink->move(m_accountsLink->x(), shown ? frames.serverLabel.y() : frames.loginLabel.y());
}

void LoginViewController::buildAccountList(QWidget* view) {
  m_accountList = new QWidget(view);
  m_accountList->setObjectName(QStringLiteral("accountList"));
  m_accountList->setGeometry(kAccountListFrame);
  m_accountCaption = caption(QRect(0, 6, kWidth, 20), m_accountList);
  m_accountRows = new app::AccountRows(QPoint(0, kAccountRowTop), kWidth, foundation::kMaxUsedAccounts, m_accountList);
  connect(m_accountRows, &app::AccountRows::chosen, this, &LoginViewController::chooseAccount);
  m_otherAccount = new controls::RowButton(QRect(0, kAccountRowTop, kWidth, app::AccountRows::kRowHeight), controls::RowButton::Style::Light,
                                           m_accountList);
  m_otherAccount->setShowsChevron(true);
  m_otherAccount->setObjectName(QStringLiteral("otherAccount"));
  connect(m_otherAccount, &ui::Control::touchUpInside, this, [this] { chooseAccount(-1); });
  m_accountList->hide();

  // Back from the fields to the list, at the right of the first caption.
  m_accountsLink = new ui::Button(QRect(kLeft + kWidth - 120, 176, 120, 20), view);
  m_accountsLink->setObjectName(QStringLiteral("accountsLink"));
  m_accountsLink->setTitleFont(ui::Fonts::font(QStringLiteral("Valdo-Regular"), 14));
  m_accountsLink->setTitleColor(ui::rgb(0.11, 0.42, 0.67));
  m_accountsLink->hide();
  connect(m_accountsLink, &ui::Control::touchUpInside, this, [this] {
    if (!m_signingIn) showAccounts(true);
  });
}

const QList<controls::RowButton*>& LoginViewController::accountRows() const { return m_accountRows->rows(); }

bool LoginViewController::showsAccounts() const { return m_accountList && !m_accountList->isHidden(); }

void LoginViewController::showAccounts(bool shown) {
  // "Autre compte" sits right under the last account on show; the others scroll.
  QStringList labels;
  for (const foundation::Account& account : m_accounts) labels << account.label();
  const int listHeight = m_accountRows->setLabels(labels);
  m_otherAccount->move(0, m_accounts.isEmpty() ? kAccountRowTop : kAccountRowTop + listHeight + app::AccountRows::kRowGap);
  m_accountList->setVisible(shown);
  for (QWidget* field : std::initializer_list<QWidget*>{m_loginLabel, m_postUserName, m_passwordLabel, m_postPassword, m_rememberLabel,
                                                        m_rememberState, m_loginButton})
    field->setVisible(!shown);
  if (shown) showServerField(false);
  m_accountsLink->setVisible(!shown && !m_accounts.isEmpty());
  if (shown) {
    m_keyboardField = nullptr;
    if (!m_accounts.isEmpty()) m_accountRows->rows().first()->setFocus();
  }
}

void LoginViewController::chooseAccount(int row) {
  if (m_signingIn) return;
  showAccounts(false);
  m_postPassword->setText(QString());
  m_postPassword->setPlaceholderText(foundation::localized("password"));
  if (row < 0 || row >= m_accounts.size()) {
    // A new account, on the configured server unless the user types another.
    m_chosenServer.clear();
    m_postServer->setText(BERestConfig::getInstance().configuredServer());
    showServerField(true);
    m_postUserName->setText(QString());
    m_remembered.reset();
    m_rememberState->setOn(false);
    giveKeyboardTo(m_postUserName);
    return;
  }
  const foundation::Account& account = m_accounts[row];
  m_chosenServer = account.server;
  m_postUserName->setText(account.user);
  m_remembered = foundation::rememberedSignInOf(foundation::Preferences::standard(), foundation::SecretStore::standard(), account,
                                                configuredServer());
  m_rememberState->setOn(m_remembered.has_value());
  giveKeyboardTo(m_postPassword);
  if (m_remembered) {
    // Its password is remembered: choosing it is all the user has to do.
    m_postPassword->setPlaceholderText(foundation::localized("remembered password"));
    emit signInAskedByUser();
    performLogin();
  }
}

void LoginViewController::signInFailedBehind(bool refused) {
  setStatus(foundation::localized(refused ? "Bad Login or Password" : "The service could not be reached"), kStatusError);
}

void LoginViewController::giveKeyboardTo(controls::TextField* field) {
  m_keyboardField = field;
  field->becomeFirstResponder();
}

void LoginViewController::viewDidAppear(bool) {
  // The view was not in a window when the field was chosen; now it is.
  if (m_keyboardField) m_keyboardField->becomeFirstResponder();
}

bool LoginViewController::textFieldShouldReturn(controls::TextField* field) {
  if (field == m_postServer) {
    giveKeyboardTo(m_postUserName);
  } else if (field == m_postUserName) {
    giveKeyboardTo(m_postPassword);
  } else {
    emit signInAskedByUser();
    performLogin();
  }
  return true;
}

void LoginViewController::setStatus(const QString& text, const QColor& color) {
  m_errorLabel->setTextColor(color);
  m_errorLabel->setFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 14));
  m_errorLabel->setText(text);
}

void LoginViewController::forgetCredentials(const foundation::Account& account) {
  foundation::forgetSignInOf(foundation::Preferences::standard(), foundation::SecretStore::standard(), account, configuredServer());
}

void LoginViewController::performLogin() {
  // One sign-in at a time: a second return or tap while the first is under way (or after it
  // succeeded, while the popup waits to go) would send the credentials again.
  if (m_signingIn) return;
  // The server first: a new account's as typed, checked as the configuration checks its own.
  QString target = m_chosenServer.isEmpty() ? server() : m_chosenServer;
  if (!m_postServer->isHidden()) {
    const auto typed = BERestConfig::getInstance().baseURLForServer(m_postServer->text());
    if (!typed.ok()) {
      qCInfo(lcApp).noquote() << "Server refused:" << QString::fromStdString(typed.error().message);
      setStatus(foundation::localized("kTradServerInvalid"), kStatusError);
      giveKeyboardTo(m_postServer);
      return;
    }
    target = typed.value();
  }
  m_signingIn = true;
  if (target != server()) {
    // Nothing of this server's session goes with the user to the other one.
    emit leavingServer();
    backend::switchServer(target);
  }

  m_observations.add(kErrorLoginPostLogin, [this](const foundation::Notification&) { onLoginAccountError(); });
  m_observations.add(kSuccessLoginPostLogin, [this](const foundation::Notification&) { onLoginSuccess(); });
  setStatus(foundation::localized("In progress..."), kStatusProgress);

  const QString user = m_postUserName->text();
  const QString password = m_postPassword->text();
  // An empty password field stands for the remembered password of the user it was remembered for.
  const bool remembered = password.isEmpty() && m_remembered && m_remembered->login == user;
  QString digest;
  if (remembered) {
    digest = m_remembered->passwordDigest;
  } else if (const auto typed = foundation::stringToSha1(password); typed.ok() && !password.isEmpty()) {
    digest = typed.value();
  }
  // Remembered only once the service accepted them: a time-out or a refused certificate must not
  // replace what worked before.
  m_toRemember.reset();
  m_signingInAccount = {user, target};
  if (!m_rememberState->isOn() || user.isEmpty() || digest.isEmpty())
    forgetCredentials(m_signingInAccount);
  else
    m_toRemember = foundation::RememberedSignIn{user, digest};
  if (remembered)
    BEServiceLogin::getInstance().postLoginWithDigest(user, digest);
  else
    BEServiceLogin::getInstance().postLoginWithPassword(user, password);
}

void LoginViewController::onLoginSuccess() {
  m_observations.remove(kErrorLoginPostLogin);
  m_observations.remove(kSuccessLoginPostLogin);
  const auto signIn = std::exchange(m_toRemember, std::nullopt);
  const std::optional<QString> digest = signIn ? std::optional<QString>(signIn->passwordDigest) : std::nullopt;
  if (!foundation::signedInAs(foundation::Preferences::standard(), foundation::SecretStore::standard(), m_signingInAccount, digest,
                              configuredServer()) &&
      signIn)
    // Without a safe place for the digest, remember nothing rather than half of it.
    qCWarning(lcApp, "The password could not be stored safely; the credentials are not remembered");
}

void LoginViewController::onLoginAccountError() {
  m_observations.remove(kErrorLoginPostLogin);
  m_observations.remove(kSuccessLoginPostLogin);
  m_toRemember.reset();
  // Only the service's "no" makes the remembered credentials go: a time-out, a refused
  // certificate or a server in trouble says nothing about them.
  if (BEServiceLogin::getInstance().credentialsRefused()) {
    forgetCredentials(m_signingInAccount);
    setStatus(foundation::localized("Bad Login or Password"), kStatusError);
  } else {
    setStatus(foundation::localized("The service could not be reached"), kStatusError);
  }
  m_signingIn = false;
}

void LoginViewController::hideKeyboard() {
  m_keyboardField = nullptr;
  m_postPassword->resignFirstResponder();
}

void LoginViewController::whenSignInEnds(std::function<void()> then) {
  auto later = [this, then = std::move(then)] {
    m_signInEnd.clear();
    // Not inside the failure's delivery, which the login service is still making.
    QMetaObject::invokeMethod(this, then, Qt::QueuedConnection);
  };
  if (!m_signingIn) {
    later();
    return;
  }
  m_signInEnd.clear();
  m_signInEnd.add(kErrorLoginPostLogin, [later](const foundation::Notification&) { later(); });
  m_signInEnd.add(kSuccessLoginPostLogin, [this](const foundation::Notification&) { m_signInEnd.clear(); });
}

void LoginViewController::signInAgain() {
  whenSignInEnds([this] { performLogin(); });
}

void LoginViewController::certificateInQuestion() {
  whenSignInEnds([this] {
    if (!m_signingIn) setStatus(foundation::localized("kTradTrustLoginUnknown"), kStatusError);
  });
}

void LoginViewController::certificateRefused() {
  whenSignInEnds([this] {
    if (!m_signingIn) setStatus(foundation::localized("kTradTrustLoginRefused"), kStatusError);
  });
}
