#pragma once
// Trust on first use. When the REST layer refuses a server's certificate that nothing vouches for
// (neither the platform, nor the configuration, nor an earlier acceptance), the user is shown that
// certificate (subject, validity, SHA-256 fingerprint) and asked whether to trust this server; an
// accepted certificate is pinned for the server (host:port) in the preferences. A server that later
// shows another certificate than the one it is known by is refused with a warning that has no way
// through. Never more than one question at a time, and each certificate is put to the user once
// per run: requests that meet it again (the reachability probe, a refresh, an automatic sign-in)
// end as refused without a word. Only a sign-in the user starts himself may ask again.
#include "foundation/NotificationCenter.h"
#include "rest/network/TlsTrust.h"

#include <QPointer>
#include <QSet>
#include <QString>

#include <functional>

namespace ui {
class AlertView;
class Window;
}  // namespace ui

namespace app {

class ServerTrust {
 public:
  enum class Outcome {
    Asking,   // the question is on show
    Trusted,  // the user trusted the certificate: the sign-in may go again
    Refused,  // the user refused it, or it is not the expected one
  };
  // `listener` hears each outcome as it comes.
  ServerTrust(ui::Window* window, std::function<void(Outcome)> listener);
  ~ServerTrust();

  // What a refusal of the REST layer calls for: the question for an unknown certificate, the
  // warning for an unexpected one, nothing for the others.
  void present(const rest::CertificateRefusal& refusal);
  // The user started a sign-in himself: a certificate he refused may be put to him again.
  void askAgain() { m_decided.clear(); }

  // On show, or nullptr.
  ui::AlertView* question() const { return m_question; }
  ui::AlertView* warning() const { return m_warning; }

  // Indices of the question's buttons.
  static constexpr int kRefuseButton = 0;
  static constexpr int kTrustButton = 1;

  // The alerts' messages for a certificate.
  static QString questionMessage(const rest::CertificateRefusal& refusal);
  static QString warningMessage(const rest::CertificateRefusal& refusal);
  // The fingerprint as four lines of eight "AB:" pairs.
  static QString fingerprintText(const QSslCertificate& certificate);

 private:
  void ask(const rest::CertificateRefusal& refusal);
  void warn(const rest::CertificateRefusal& refusal);

  ui::Window* m_window;
  std::function<void(Outcome)> m_listener;
  QPointer<ui::AlertView> m_question;
  QPointer<ui::AlertView> m_warning;
  QSet<QString> m_decided;  // "server digest" of each certificate already put to the user
  foundation::Observation m_observation;
};

}  // namespace app
