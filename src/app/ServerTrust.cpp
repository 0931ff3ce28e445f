#include "app/ServerTrust.h"

#include "backend/CertificatePins.h"
#include "backend/ServiceReachability.h"
#include "foundation/Clock.h"
#include "foundation/Logging.h"
#include "foundation/Strings.h"
#include <QWidget>  // before the toolkit headers that guard widgets they only declare
#include "ui/AlertView.h"
#include "ui/Window.h"

#include <QCryptographicHash>
#include <QDateTime>
#include <QStringList>

namespace app {

namespace {

QString day(const QDateTime& when) {
  return when.toTimeZone(foundation::scheduler().timeZone()).date().toString(foundation::localized("kTradTrustDateFormat"));
}

// Subject, validity and fingerprint, one per line.
QString details(const QSslCertificate& certificate) {
  QStringList lines;
  QString subject = certificate.subjectDisplayName();
  const QString organization = certificate.subjectInfo(QSslCertificate::Organization).join(QStringLiteral(", "));
  if (!organization.isEmpty() && organization != subject) subject += QStringLiteral(" (%1)").arg(organization);
  lines << foundation::localized("kTradTrustSubject").arg(subject.isEmpty() ? QStringLiteral("?") : subject);
  lines << foundation::localized("kTradTrustValidity").arg(day(certificate.effectiveDate()), day(certificate.expiryDate()));
  const QDateTime now = foundation::scheduler().now();
  if (now < certificate.effectiveDate() || now > certificate.expiryDate()) lines << foundation::localized("kTradTrustNotValidNow");
  return lines.join(QLatin1Char('\n'));
}

}  // namespace

ServerTrust::ServerTrust(ui::Window* window, std::function<void(Outcome)> listener)
    : m_window(window), m_listener(std::move(listener)) {
  m_observation = foundation::NotificationCenter::defaultCenter().addObserver(
      rest::RestServerCertificateRefusedNotification, [this](const foundation::Notification& notification) {
        if (const auto* refusal = notification.info<rest::CertificateRefusal>(rest::RestServerCertificateRefusalKey))
          present(*refusal);
      });
}

ServerTrust::~ServerTrust() {
  // Alerts still on show must not call back into a trust that is gone.
  for (ui::AlertView* alert : {m_question.data(), m_warning.data()})
    if (alert) alert->dismissWithClickedButtonIndex(alert->cancelButtonIndex(), false);
}

QString ServerTrust::fingerprintText(const QSslCertificate& certificate) {
  const QString hex = QString::fromLatin1(certificate.digest(QCryptographicHash::Sha256).toHex().toUpper());
  QStringList lines;
  for (qsizetype line = 0; line < hex.size(); line += 16) {
    QStringList pairs;
    for (qsizetype i = line; i < std::min(line + 16, hex.size()); i += 2) pairs << hex.mid(i, 2);
    lines << pairs.join(QLatin1Char(':'));
  }
  return lines.join(QLatin1Char('\n'));
}

QString ServerTrust::questionMessage(const rest::CertificateRefusal& refusal) {
  return foundation::localized("kTradTrustQuestion").arg(refusal.server) + QStringLiteral("\n\n") + details(refusal.certificate) +
         QLatin1Char('\n') + foundation::localized("kTradTrustFingerprint") + QLatin1Char('\n') +
         fingerprintText(refusal.certificate);
}

QString ServerTrust::warningMessage(const rest::CertificateRefusal& refusal) {
  return foundation::localized("kTradTrustChanged").arg(refusal.server) + QStringLiteral("\n\n") +
         foundation::localized("kTradTrustChangedAdvice") + QStringLiteral("\n\n") + foundation::localized("kTradTrustPresentedFingerprint") + QLatin1Char('\n') + fingerprintText(refusal.certificate);
}

void ServerTrust::present(const rest::CertificateRefusal& refusal) {
  if (refusal.certificate.isNull() || refusal.server.isEmpty()) return;
  if (refusal.verdict != rest::CertificateVerdict::Unknown && refusal.verdict != rest::CertificateVerdict::NotExpected) return;
  // Requests refused together ask once.
  if (refusal.verdict == rest::CertificateVerdict::Unknown && m_question) return;
  const QString decision = refusal.server + QLatin1Char(' ') +
                           QString::fromLatin1(refusal.certificate.digest(QCryptographicHash::Sha256).toHex());
  if (m_decided.contains(decision)) {
    if (m_listener) m_listener(Outcome::Refused);
    return;
  }
  m_decided.insert(decision);
  if (refusal.verdict == rest::CertificateVerdict::Unknown)
    ask(refusal);
  else
    warn(refusal);
}

void ServerTrust::ask(const rest::CertificateRefusal& refusal) {
  auto* alert = new ui::AlertView(foundation::localized("kTradTrustTitle"), questionMessage(refusal), nullptr,
                                  foundation::localized("kTradTrustRefuse"));
  alert->addButtonWithTitle(foundation::localized("kTradTrustAccept"));
  alert->setButtonHandler([this, refusal](ui::AlertView*, int index) {
    if (index == kTrustButton) {
      backend::CertificatePins::pin(refusal.server, refusal.certificate.digest(QCryptographicHash::Sha256));
      backend::ServiceReachability::getInstance().certificateAccepted();
    } else {
      qCInfo(lcApp).noquote() << "The certificate of" << refusal.server << "was not trusted";
    }
    if (m_listener) m_listener(index == kTrustButton ? Outcome::Trusted : Outcome::Refused);
  });
  m_question = alert;
  alert->show(m_window);
  if (m_listener) m_listener(Outcome::Asking);
}

void ServerTrust::warn(const rest::CertificateRefusal& refusal) {
  auto* alert = new ui::AlertView(foundation::localized("kTradTrustChangedTitle"), warningMessage(refusal), nullptr,
                                  foundation::localized("kTradAlertBtnOk"));
  m_warning = alert;
  alert->show(m_window);
  if (m_listener) m_listener(Outcome::Refused);
}

}  // namespace app
