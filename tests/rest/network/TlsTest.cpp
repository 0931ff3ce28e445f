// Server certificates are validated; only configured exceptions (an exact certificate or its
// fingerprint, while the shared client uses exceptions), a certificate pinned for the server or
// the explicit insecure switch let a self-signed service through. A refused certificate is
// announced with its details before anything is written.
#include "NetworkTestSupport.h"
#include "support/server/TestServer.h"

#include "foundation/NotificationCenter.h"

#include <QCryptographicHash>
#include <QSslConfiguration>

#include <gtest/gtest.h>

namespace {

using namespace rest;
using simcore::HttpResponse;
using tbtest::RecordingDelegate;

QByteArray sha256(const tbtest::TestCertificate& certificate) {
  return certificate.identity.certificate.digest(QCryptographicHash::Sha256);
}

class TlsTest : public tbtest::NetworkTest {
 protected:
  void TearDown() override {
    setPinnedCertificates({});
    NetworkTest::TearDown();
  }

  // What became of one GET against a server presenting `presented`, pinned to `pinnedTo` (none
  // when null), with the shared client using exceptions.
  struct Attempt {
    bool answered = false;
    int errorCode = 0;
    std::optional<CertificateRefusal> refusal;
    qsizetype requestsReceived = 0;
  };
  Attempt attempt(const tbtest::TestCertificate& presented, const tbtest::TestCertificate* pinnedTo,
                  const TlsTrustSettings& settings = {}) {
    setTlsTrustSettings(settings);
    tbtest::TestServer server(tbtest::TestServer::Mode::Tls, &presented);
    server.script().setFallback(HttpResponse::json(200, "{}"));
    Attempt result;
    setPinnedCertificates(pinnedTo ? QHash<QString, QByteArray>{{serverKey(server.url()), sha256(*pinnedTo)}}
                                   : QHash<QString, QByteArray>{});
    foundation::Observation refusals = foundation::NotificationCenter::defaultCenter().addObserver(
        RestServerCertificateRefusedNotification, [&](const foundation::Notification& n) {
          if (auto* refusal = n.info<CertificateRefusal>(RestServerCertificateRefusalKey)) result.refusal = *refusal;
        });
    auto client = makeClient(server.urlString("/svc"));
    client->setDisableCertificateValidation(true);
    RecordingDelegate delegate;
    auto request = client->getDelegate("/x", &delegate);
    expectOneCompletion(delegate, request);
    result.answered = delegate.loads == 1 && delegate.statusCode == 200;
    result.errorCode = delegate.error ? delegate.error->code : 0;
    result.requestsReceived = server.requestCount();
    rest::RestClient::setSharedClient(nullptr);
    return result;
  }

  // One GET against a TLS server presenting `presented`; true when it got an answer.
  bool fetch(const tbtest::TestCertificate& presented, bool useExceptions, const TlsTrustSettings& settings,
             foundation::Error* error = nullptr) {
    setTlsTrustSettings(settings);
    tbtest::TestServer server(tbtest::TestServer::Mode::Tls, &presented);
    server.script().enqueue(HttpResponse::json(200, "{}"));
    auto client = makeClient(server.urlString("/svc"));
    client->setDisableCertificateValidation(useExceptions);
    RecordingDelegate delegate;
    auto request = client->getDelegate("/x", &delegate);
    expectOneCompletion(delegate, request);
    if (error && delegate.error) *error = *delegate.error;
    rest::RestClient::setSharedClient(nullptr);
    return delegate.loads == 1 && delegate.statusCode == 200;
  }

  static TlsTrustSettings trusting(const tbtest::TestCertificate& certificate) {
    TlsTrustSettings settings;
    settings.trustedCertificates = {certificate.identity.certificate};
    return settings;
  }
  static TlsTrustSettings pinning(const tbtest::TestCertificate& certificate) {
    TlsTrustSettings settings;
    settings.trustedFingerprints = {certificate.identity.certificate.digest(QCryptographicHash::Sha256)};
    return settings;
  }
};

TEST_F(TlsTest, SelfSignedIsRefusedByDefault) {
  foundation::Error error;
  EXPECT_FALSE(fetch(tbtest::testCertificate(), false, {}, &error));
  EXPECT_EQ(error.code, kRestTLSFailure);
  // Using exceptions when none is configured changes nothing.
  EXPECT_FALSE(fetch(tbtest::testCertificate(), true, {}));
}

TEST_F(TlsTest, ConfiguredCertificateIsAcceptedOnlyWithExceptionsInForce) {
  EXPECT_TRUE(fetch(tbtest::testCertificate(), true, trusting(tbtest::testCertificate())));
  EXPECT_FALSE(fetch(tbtest::testCertificate(), false, trusting(tbtest::testCertificate())));
}

TEST_F(TlsTest, ConfiguredFingerprintIsAccepted) {
  EXPECT_TRUE(fetch(tbtest::testCertificate(), true, pinning(tbtest::testCertificate())));
}

TEST_F(TlsTest, AnotherCertificateIsRefusedEvenWithOneConfigured) {
  foundation::Error error;
  EXPECT_FALSE(fetch(tbtest::otherTestCertificate(), true, trusting(tbtest::testCertificate()), &error));
  EXPECT_EQ(error.code, kRestTLSFailure);
  EXPECT_FALSE(fetch(tbtest::otherTestCertificate(), true, pinning(tbtest::testCertificate())));
}

TEST_F(TlsTest, InsecureSwitchAcceptsAnything) {
  TlsTrustSettings insecure;
  insecure.insecure = true;
  EXPECT_TRUE(fetch(tbtest::otherTestCertificate(), true, insecure));
}

TEST_F(TlsTest, SharedClientsSwitchCoversEveryClient) {
  setTlsTrustSettings(trusting(tbtest::testCertificate()));
  tbtest::TestServer server(tbtest::TestServer::Mode::Tls);
  server.script().setFallback(HttpResponse::json(200, "{}"));
  auto shared = makeClient(server.urlString("/svc"));
  shared->setDisableCertificateValidation(true);
  auto other = RestClient::clientWithBaseURL(server.urlString("/svc"));
  setReachable(true);
  ASSERT_FALSE(other->disableCertificateValidation());
  RecordingDelegate delegate;
  auto request = other->getDelegate("/y", &delegate);
  expectOneCompletion(delegate, request);
  EXPECT_EQ(delegate.statusCode, 200);
}

TEST_F(TlsTest, AServerPinnedToAnotherCertificateIsRefusedEvenWhenThePlatformTrustsIt) {
  // The platform's own store vouches for the presented certificate, so the handshake reports no
  // error at all: the pin is checked once it is over, still before anything is written.
  const QSslConfiguration platform = QSslConfiguration::defaultConfiguration();
  QSslConfiguration trusting = platform;
  trusting.addCaCertificate(tbtest::otherTestCertificate().identity.certificate);
  QSslConfiguration::setDefaultConfiguration(trusting);
  const Attempt unpinned = attempt(tbtest::otherTestCertificate(), nullptr);
  const Attempt pinned = attempt(tbtest::otherTestCertificate(), &tbtest::testCertificate());
  QSslConfiguration::setDefaultConfiguration(platform);
  setTlsTrustSettings({});

  EXPECT_TRUE(unpinned.answered);
  EXPECT_FALSE(pinned.answered);
  EXPECT_EQ(pinned.errorCode, kRestTLSFailure);
  EXPECT_EQ(pinned.requestsReceived, 0);
  ASSERT_TRUE(pinned.refusal);
  EXPECT_EQ(pinned.refusal->verdict, CertificateVerdict::NotExpected);
}

// The decision alone, on the errors the platform reports for a self-signed certificate.
TEST(TlsTrustDecision, ConfigurationFirstThenThePinThenThePlatform) {
  const QSslCertificate mine = tbtest::testCertificate().identity.certificate;
  const QSslCertificate other = tbtest::otherTestCertificate().identity.certificate;
  const QByteArray minePin = mine.digest(QCryptographicHash::Sha256);
  auto selfSigned = [](const QSslCertificate& c) { return QList<QSslError>{QSslError(QSslError::SelfSignedCertificate, c)}; };
  TlsTrustSettings none;
  TlsTrustSettings fingerprintOfOther;
  fingerprintOfOther.trustedFingerprints = {other.digest(QCryptographicHash::Sha256)};
  TlsTrustSettings certificateMine;
  certificateMine.trustedCertificates = {mine};
  TlsTrustSettings insecure;
  insecure.insecure = true;
  using V = CertificateVerdict;
  const struct {
    const char* what;
    const TlsTrustSettings& settings;
    QByteArray pin;
    QList<QSslError> errors;
    QSslCertificate peer;
    bool useExceptions;
    V expected;
  } cases[] = {
      {"first use", none, {}, selfSigned(other), other, true, V::Unknown},
      {"pinned, the same", none, minePin, selfSigned(mine), mine, true, V::Trusted},
      {"pinned, another", none, minePin, selfSigned(other), other, true, V::NotExpected},
      {"pinned, another the platform validates", none, minePin, {}, other, true, V::NotExpected},
      {"pinned, no certificate to check", none, minePin, {}, QSslCertificate(), true, V::Refused},
      {"a configured fingerprint, no pin", fingerprintOfOther, {}, selfSigned(other), other, true, V::Trusted},
      {"a configured fingerprint over a pin", fingerprintOfOther, minePin, selfSigned(other), other, true, V::Trusted},
      {"a configured certificate the platform validates", certificateMine, {}, {}, mine, true, V::Trusted},
      {"a configured certificate with another name", certificateMine, {},
       {QSslError(QSslError::HostNameMismatch, mine)}, mine, true, V::Refused},
      {"a deployment naming its certificates is not asked", certificateMine, {}, selfSigned(other), other, true, V::NotExpected},
      {"an error about another certificate of the chain", none, {}, selfSigned(mine), other, true, V::Refused},
      {"a withdrawn certificate", none, minePin, {QSslError(QSslError::CertificateBlacklisted, mine)}, mine, true, V::Refused},
      {"exceptions not in force", none, minePin, selfSigned(mine), mine, false, V::Refused},
      {"the insecure switch", insecure, minePin, selfSigned(other), other, true, V::Trusted},
  };
  for (const auto& c : cases)
    EXPECT_EQ(tls::judge(c.settings, c.pin, c.errors, {c.peer}, c.useExceptions), c.expected) << c.what;
}

TEST(TlsTrustDecision, ServersArePinnedByHostAndPort) {
  EXPECT_EQ(serverKey(QUrl("https://Service.Example:8470/tavrobox/v1")), QStringLiteral("service.example:8470"));
  EXPECT_EQ(serverKey(QUrl("https://service.example/x")), QStringLiteral("service.example:443"));
  EXPECT_EQ(serverKey(QUrl("https://[::1]:9/")), QStringLiteral("[::1]:9"));
  EXPECT_EQ(serverKey(QUrl("relative/path")), QString());
}

TEST(TlsTrustSettings, ReadsConfiguredFilesAndFingerprints) {
  foundation::Configuration configuration;
  configuration.trustedCertificates = {tbtest::testCertificate().certificatePath, "/nonexistent.pem"};
  const QByteArray digest = tbtest::testCertificate().identity.certificate.digest(QCryptographicHash::Sha256);
  configuration.trustedFingerprints = {QString::fromLatin1(digest.toHex(':').toUpper()), "12:34"};
  QStringList problems;
  const auto settings = TlsTrustSettings::fromConfiguration(configuration, &problems);
  EXPECT_EQ(settings.trustedCertificates.size(), 1);
  EXPECT_EQ(settings.trustedFingerprints, QList<QByteArray>{digest});
  EXPECT_EQ(problems.size(), 2);
  EXPECT_EQ(parseFingerprint(QString::fromLatin1(digest.toHex())), digest);
  EXPECT_TRUE(parseFingerprint("zz").isEmpty());
}

}  // namespace
