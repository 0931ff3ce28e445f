#include "screens/settings/MySettingsController.h"
#include "screens/settings/SettingsMetrics.h"

#include "controls/AppNotifications.h"
#include "controls/OnOffSwitch.h"
#include "controls/RowButton.h"

#include "backend/BERestConfig.h"
#include "backend/CertificatePins.h"
#include "backend/SessionEnd.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Preferences.h"
#include "foundation/SettingsKeys.h"
#include "foundation/Strings.h"
#include <QWidget>  // before the toolkit headers that guard widgets they only declare
#include "ui/AlertView.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/ScrollView.h"
#include "ui/Views.h"

#include <QCoreApplication>

namespace {

using namespace settings_metrics;

// What the app bundles, with the licence each comes under.
const char* const kLicenceKeys[] = {"kTradLicenceRoboto", "kTradLicenceQt", "kTradLicenceKeychain", "kTradLicenceGStreamer"};

QString intervalText(int seconds) {
  if (seconds == 0) return foundation::localized("kTradRefreshNever");
  if (seconds < 60) return foundation::localized("kTradRefreshSeconds").arg(seconds);
  return foundation::localized("kTradRefreshMinutes").arg(seconds / 60);
}

}  // namespace

const QList<int>& MySettingsController::refreshChoices() {
  static const QList<int> choices{15, 30, 60, 300, 0};
  return choices;
}

MySettingsController::MySettingsController(QObject* parent) : ui::Screen(parent) {}

void MySettingsController::loadView() {
  m_view = new QWidget();
  m_view->resize(kWidth, kViewHeight);
  ui::setBackgroundColor(m_view, ui::rgb(0.922, 0.922, 0.929));

  auto* header = new ui::ImageView(QRect(0, 0, kWidth, kHeaderHeight), m_view);
  header->setImageName(QStringLiteral("top_settings.png"));
  auto* title = new ui::Label(QRect(74, 0, 236, kHeaderHeight), m_view);
  title->setFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 26));
  title->setTextColor(Qt::white);
  title->setText(foundation::localized("SETTINGS"));

  m_scroll = new ui::ScrollView(QRect(0, kHeaderHeight, kWidth, kViewHeight - kHeaderHeight), m_view);
  m_scroll->setObjectName(QStringLiteral("settingsList"));
  build();
  setView(m_view);
}

int MySettingsController::section(const char* captionKey, int y) {
  auto* caption = new ui::Label(QRect(kMargin + 4, y, kWidth - 2 * kMargin, kCaptionHeight), m_scroll->contentView());
  caption->setFont(ui::Fonts::font(QStringLiteral("Valdo-Medium"), 13));
  caption->setTextColor(QColor(0x5b, 0x67, 0x78));
  caption->setText(foundation::localized(captionKey).toUpper());
  return y + kCaptionHeight;
}

controls::RowButton* MySettingsController::row(int y, const QString& title, int style) {
  auto* button = new controls::RowButton(QRect(kMargin, y, kWidth - 2 * kMargin, kRowHeight),
                                         controls::RowButton::Style(style), m_scroll->contentView());
  button->setTitle(title);
  return button;
}

void MySettingsController::build() {
  constexpr int light = int(controls::RowButton::Style::Light);
  constexpr int destructive = int(controls::RowButton::Style::Destructive);
  const int step = kRowHeight + kRowGap;
  int y = 6;

  // Who is signed in, where; leaving, and the other accounts.
  y = section("kTradSettingsAccount", y);
  const foundation::Account account = backend::currentAccount();
  m_account = row(y, account.isValid() ? account.label() : foundation::localized("kTradNotSignedIn"), light);
  m_account->setObjectName(QStringLiteral("settingsAccount"));
  m_account->setDetail(account.server, false);
  m_account->setUserInteractionEnabled(false);
  m_account->setFocusPolicy(Qt::NoFocus);
  y += step;
  m_switchAccount = row(y, foundation::localized("kTradSwitchAccount"), light);
  m_switchAccount->setShowsChevron(true);
  connect(m_switchAccount, &ui::Control::touchUpInside, this, [this] { switchAccount(); });
  y += step;
  m_signOut = row(y, foundation::localized("kTradSignOut"), destructive);
  connect(m_signOut, &ui::Control::touchUpInside, this, [this] { signOut(false); });
  y += step;
  m_signOutErase = row(y, foundation::localized("kTradSignOutErase"), destructive);
  connect(m_signOutErase, &ui::Control::touchUpInside, this, [this] { signOut(true); });
  y += step;

  y = buildAlarmCode(y);
  y = buildBackground(y);

  // The texts' language: the tables are read once, when the screens are built, so a new choice
  // shows from the next start on.
  y = section("kTradSettingsLanguage", y);
  const std::pair<const char*, QString> languages[] = {
      {"kTradLanguageFrench", QStringLiteral("fr")}, {"kTradLanguageEnglish", QStringLiteral("en")}, {"kTradLanguageSystem", QString()}};
  for (const auto& [key, code] : languages) {
    controls::RowButton* choice = row(y, foundation::localized(key), light);
    choice->setProperty("language", code);
    connect(choice, &ui::Control::touchUpInside, this, [this, code = code] { chooseLanguage(code); });
    m_languageRows << choice;
    y += step;
  }
  m_languageNote = new ui::Label(QRect(kMargin + 4, y - 2, kWidth - 2 * kMargin - 8, 34), m_scroll->contentView());
  m_languageNote->setObjectName(QStringLiteral("languageNote"));
  m_languageNote->setFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 12));
  m_languageNote->setTextColor(QColor(0x6b, 0x76, 0x87));
  m_languageNote->setNumberOfLines(2);
  y += 34;

  // How often the open screen reads again.
  y = section("kTradSettingsRefresh", y);
  for (int seconds : refreshChoices()) {
    controls::RowButton* choice = row(y, intervalText(seconds), light);
    connect(choice, &ui::Control::touchUpInside, this, [this, seconds] { chooseRefreshInterval(seconds); });
    m_refreshRows << choice;
    y += step;
  }

  // The certificates the user trusted on first use, one per server.
  y = section("kTradSettingsCertificates", y);
  const QHash<QString, QByteArray> pins = backend::CertificatePins::stored();
  m_certificateServers = pins.keys();
  m_certificateServers.sort();
  for (int i = 0; i < m_certificateServers.size(); ++i) {
    controls::RowButton* pinned = row(y, m_certificateServers[i], light);
    pinned->setDetail(QStringLiteral("SHA-256 ") + QString::fromLatin1(pins.value(m_certificateServers[i]).toHex(':').left(23).toUpper()) +
                      QStringLiteral("…"));
    connect(pinned, &ui::Control::touchUpInside, this, [this, i] { askToForgetCertificate(i); });
    m_certificateRows << pinned;
    y += step;
  }
  if (pins.isEmpty()) {
    auto* none = new ui::Label(QRect(kMargin + 4, y, kWidth - 2 * kMargin, 24), m_scroll->contentView());
    none->setFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 13));
    none->setTextColor(QColor(0x6b, 0x76, 0x87));
    none->setText(foundation::localized("kTradNoPinnedCertificate"));
    y += 28;
  }

  // This account's stored answers.
  y = section("kTradSettingsData", y);
  m_eraseData = row(y, foundation::localized("kTradEraseStoredData"), destructive);
  m_eraseData->setEnabled(account.isValid());
  connect(m_eraseData, &ui::Control::touchUpInside, this, [this] { eraseStoredData(); });
  y += step;
  m_note = new ui::Label(QRect(kMargin + 4, y - 2, kWidth - 2 * kMargin - 8, 20), m_scroll->contentView());
  m_note->setObjectName(QStringLiteral("settingsNote"));
  m_note->setFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 12));
  m_note->setTextColor(QColor(0x6b, 0x76, 0x87));
  y += 22;

  // About: the version and what is bundled, under which licence.
  y = section("kTradSettingsAbout", y);
  controls::RowButton* version = row(y, foundation::localized("kTradVersion"), light);
  version->setDetail(QCoreApplication::applicationVersion().isEmpty() ? QStringLiteral("-") : QCoreApplication::applicationVersion(), true);
  version->setUserInteractionEnabled(false);
  version->setFocusPolicy(Qt::NoFocus);
  y += step;
  for (const char* key : kLicenceKeys) {
    auto* licence = new ui::Label(QRect(kMargin + 4, y, kWidth - 2 * kMargin - 8, 34), m_scroll->contentView());
    licence->setFont(ui::Fonts::font(QStringLiteral("Valdo-Regular"), 12));
    licence->setTextColor(QColor(0x33, 0x3d, 0x4b));
    licence->setNumberOfLines(2);
    licence->setText(foundation::localized(key));
    y += 36;
  }
  m_scroll->setContentSize(QSize(kWidth, y + 12));
  showChecks();
}

void MySettingsController::showChecks() {
  if (!m_languageNote) return;  // not built yet
  const foundation::Preferences& preferences = foundation::Preferences::standard();
  const QString language = preferences.string(QString::fromLatin1(foundation::kLanguagePref));
  for (controls::RowButton* choice : m_languageRows) choice->setChecked(choice->property("language").toString() == language);
  // The language shown now is the one read at start; a different choice waits for the next one.
  const QString chosen = language.isEmpty() ? QString() : language;
  const bool waits = !chosen.isEmpty() && chosen != foundation::currentLanguage();
  m_languageNote->setText(waits ? foundation::localized("kTradLanguageNextStart") : QString());

  bool known = false;
  int interval = preferences.string(QString::fromLatin1(foundation::kRefreshIntervalPref)).toInt(&known);
  if (!known) interval = 30;
  for (int i = 0; i < m_refreshRows.size(); ++i) m_refreshRows[i]->setChecked(refreshChoices().value(i) == interval);
}

void MySettingsController::say(const QString& note) {
  if (m_note) m_note->setText(note);
}

void MySettingsController::signOut(bool eraseData) {
  foundation::NotificationCenter::defaultCenter().post(kSignOutRequested, this, {{kSignOutEraseDataKey, eraseData}});
}

void MySettingsController::switchAccount() {
  foundation::NotificationCenter::defaultCenter().post(kSignOutRequested, this, {{kSignOutKeepPasswordKey, true}});
}

void MySettingsController::chooseLanguage(const QString& language) {
  foundation::Preferences& preferences = foundation::Preferences::standard();
  if (language.isEmpty())
    preferences.remove(QString::fromLatin1(foundation::kLanguagePref));
  else
    preferences.setString(QString::fromLatin1(foundation::kLanguagePref), language);
  showChecks();
}

void MySettingsController::chooseRefreshInterval(int seconds) {
  foundation::Preferences::standard().setString(QString::fromLatin1(foundation::kRefreshIntervalPref), QString::number(seconds));
  foundation::NotificationCenter::defaultCenter().post(kRefreshIntervalChanged, this, {{kRefreshIntervalKey, double(seconds)}});
  showChecks();
}

void MySettingsController::askToForgetCertificate(int row) {
  if (row < 0 || row >= m_certificateServers.size()) return;
  const QString server = m_certificateServers[row];
  auto* alert = new ui::AlertView(foundation::localized("kTradForgetCertificateTitle"),
                                  foundation::localized("kTradForgetCertificateMessage").arg(server), nullptr,
                                  foundation::localized("kTradCancel"));
  alert->addButtonWithTitle(foundation::localized("kTradForget"));
  QPointer<MySettingsController> self(this);
  alert->setButtonHandler([self, server](ui::AlertView*, int index) {
    if (index == 1 && self) self->forgetCertificate(server);
  });
  alert->show();
}

void MySettingsController::forgetCertificate(const QString& server) {
  backend::CertificatePins::forget(server);
  const int row = int(m_certificateServers.indexOf(server));
  if (row < 0) return;
  m_certificateRows[row]->setEnabled(false);
  m_certificateRows[row]->setDetail(foundation::localized("kTradCertificateForgotten"));
}

void MySettingsController::eraseStoredData() {
  const bool erased = backend::eraseStoredAnswers(backend::currentAccount());
  say(foundation::localized(erased ? "kTradStoredDataErased" : "kTradStoredDataNotErased"));
}

std::vector<controls::TourStates::State> MySettingsController::tourStates() {
  // Each section's caption at the top of the list.
  auto scrollTo = [this](QWidget* first) {
    m_scroll->setContentOffset(QPointF(0, std::max(0, first->geometry().top() - kCaptionHeight - 6)));
  };
  return {{QStringLiteral("alarmcode"), [this, scrollTo] { scrollTo(m_codeRow); }},
          {QStringLiteral("background"), [this, scrollTo] { scrollTo(m_stay->parentWidget()); }},
          {QStringLiteral("certificates"),
           [this] { m_scroll->setContentOffset(QPointF(0, std::max(0, m_refreshRows.last()->geometry().bottom() - 60))); }},
          {QStringLiteral("about"),
           [this] { m_scroll->setContentOffset(QPointF(0, m_scroll->contentSize().height() - m_scroll->height())); }}};
}
