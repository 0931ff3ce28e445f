// Server certificates are validated; only configured exceptions (an exact certificate or its
// fingerprint, while the shared client uses exceptions) or the explicit insecure switch let a
// self-signed service through.
#include "NetworkTestSupport.h"
#include "support/server/TestServer.h"

#include <QCryptographicHash>

#include <gtest/gtest.h>

namespace {

using namespace rest;
using simcore::HttpResponse;
using tbtest::RecordingDelegate;

class TlsTest : public tbtest::NetworkTest {
 protected:
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
