#include "app/LoginViewController.h"

#include "controls/OnOffSwitch.h"

#include "backend/BENotifications.h"
#include "backend/BEServiceLogin.h"
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

  // The two field captions: black, bold, 16 points.
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

  m_errorLabel = new ui::Label(kStatusFrame, view);
  m_errorLabel->setObjectName(QStringLiteral("errorLabel"));
  m_errorLabel->setTextAlignment(Qt::AlignHCenter);
  m_errorLabel->setFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 14));
  setView(view);
}

void LoginViewController::viewDidLoad() {
  // 1. Fields.
  for (controls::TextField* field : {m_postUserName, m_postPassword}) {
    field->setDelegate(this);
    field->setClearsOnBeginEditing(false);
    field->setClearButtonMode(controls::TextField::ClearButtonMode::WhileEditing);
  }
  m_postUserName->setReturnKeyType(controls::TextField::ReturnKeyType::Next);
  m_postPassword->setReturnKeyType(controls::TextField::ReturnKeyType::Join);

  // 2. Texts.
  m_loginLabel->setText(foundation::localized("User Name"));
  m_passwordLabel->setText(foundation::localized("Password"));
  m_rememberLabel->setText(foundation::localized("Remember me"));
  m_postUserName->setPlaceholderText(foundation::localized("John Doe"));
  m_postPassword->setPlaceholderText(foundation::localized("password"));
  m_tagline->setText(foundation::localized("Your home at your fingertips"));
  m_loginButton->setTitle(foundation::localized("Sign in"));

  // 3. The user name first; nothing remembered yet.
  giveKeyboardTo(m_postUserName);
  m_rememberState->setOn(false);

  // 4. Remembered credentials: the user only has to confirm with the return key. Only the
  // password's digest is kept, so its field stays empty and says that it stands for it.
  m_remembered = foundation::rememberedSignIn(foundation::Preferences::standard(), foundation::SecretStore::standard());
  if (m_remembered) {
    m_postUserName->setText(m_remembered->login);
    m_postPassword->setPlaceholderText(foundation::localized("remembered password"));
    m_rememberState->setOn(true);
    giveKeyboardTo(m_postPassword);
  }
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
  if (field == m_postUserName) {
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

void LoginViewController::forgetCredentials() {
  foundation::forgetSignIn(foundation::Preferences::standard(), foundation::SecretStore::standard());
}

void LoginViewController::performLogin() {
  // One sign-in at a time: a second return or tap while the first is under way (or after it
  // succeeded, while the popup waits to go) would send the credentials again.
  if (m_signingIn) return;
  m_signingIn = true;

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
  if (!m_rememberState->isOn() || user.isEmpty() || digest.isEmpty())
    forgetCredentials();
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
  if (const auto signIn = std::exchange(m_toRemember, std::nullopt);
      signIn && !foundation::rememberSignIn(foundation::Preferences::standard(), foundation::SecretStore::standard(), *signIn))
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
    forgetCredentials();
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
