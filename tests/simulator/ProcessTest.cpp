// tavrobox-cloudsim as a process: start-up lines, a sign-in over plain HTTP and over TLS with the
// generated certificate, a clean stop on SIGINT and SIGTERM, and clear errors for bad input.
#include "SimHarness.h"
#include "support/TempDir.h"
#include "support/Wait.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QRegularExpression>
#include <QSslCertificate>
#include <QSslConfiguration>
#include <QTcpServer>

#include <gtest/gtest.h>

#include <sys/stat.h>

#include <csignal>
#include <ostream>

namespace {

class Program {
 public:
  explicit Program(QStringList args) {
    m_process.setProgram(QStringLiteral(TB_CLOUDSIM_PATH));
    m_process.setArguments(args);
    m_process.start();
  }
  ~Program() {
    if (m_process.state() != QProcess::NotRunning) {
      m_process.kill();
      m_process.waitForFinished(5000);
    }
  }
  bool waitReady() {
    return tbtest::waitUntil([&] {
      m_out += m_process.readAllStandardOutput();
      return m_out.contains("tavrobox-cloudsim: ready") || m_process.state() == QProcess::NotRunning;
    }, 20000) && m_out.contains("tavrobox-cloudsim: ready");
  }
  QString line(const QString& pattern) const {
    const auto m = QRegularExpression(pattern).match(QString::fromUtf8(m_out));
    return m.hasMatch() ? m.captured(1) : QString();
  }
  bool stopWith(int signal) {
    ::kill(pid_t(m_process.processId()), signal);
    const bool finished = m_process.waitForFinished(10000);
    m_out += m_process.readAllStandardOutput();
    return finished;
  }
  QProcess& process() { return m_process; }
  QByteArray out() const { return m_out; }

 private:
  QProcess m_process;
  QByteArray m_out;
};

struct Answer {
  int status = 0;
  QNetworkReply::NetworkError error = QNetworkReply::NoError;
  QByteArray body;
};

Answer signIn(const QString& baseUrl, const QSslConfiguration* ssl = nullptr) {
  QNetworkAccessManager nam;
  QNetworkRequest request{QUrl(baseUrl + "/auth")};
  request.setHeader(QNetworkRequest::ContentTypeHeader, "application/json");
  if (ssl) request.setSslConfiguration(*ssl);
  QNetworkReply* reply = nam.post(request, simtest::signInBody("demo", "demo"));
  EXPECT_TRUE(tbtest::waitUntil([&] { return reply->isFinished(); }, 15000));
  Answer a{reply->attribute(QNetworkRequest::HttpStatusCodeAttribute).toInt(), reply->error(), reply->readAll()};
  delete reply;
  return a;
}

QStringList baseArgs(const tbtest::TempDir& dir) {
  return {"--listen", "127.0.0.1:0", "--media-listen", "127.0.0.1:0", "--media-dir", dir.file("media"),
          "--control-token", "process-token", "--life-interval", "0", "--ffmpeg", dir.file("no-ffmpeg")};
}

TEST(Program, StartsAnswersAndStopsOnSigterm) {
  tbtest::TempDir dir;
  Program program(baseArgs(dir));
  ASSERT_TRUE(program.waitReady()) << program.out().constData() << program.process().readAllStandardError().constData();
  const QString base = program.line(QStringLiteral("REST service at (\\S+)"));
  ASSERT_TRUE(base.startsWith("http://127.0.0.1:")) << base.toStdString();
  ASSERT_TRUE(base.endsWith("/tavrobox/v1"));
  EXPECT_FALSE(program.line(QStringLiteral("RestPlaybackPort=(\\d+)")).isEmpty());
  EXPECT_TRUE(program.out().contains("no ffmpeg")) << "a missing ffmpeg is said";
  const Answer a = signIn(base);
  EXPECT_EQ(a.status, 200) << a.body.constData();
  EXPECT_TRUE(a.body.contains("sessionId"));
  ASSERT_TRUE(program.stopWith(SIGTERM));
  EXPECT_EQ(program.process().exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.process().exitCode(), 0);
  EXPECT_TRUE(program.out().contains("tavrobox-cloudsim: stopped"));
}

TEST(Program, WritesItsAddressesForScriptsAndStopsCleanlyOnSigint) {
  tbtest::TempDir dir;
  Program program(baseArgs(dir) << "--ready-file" << dir.file("ready.json"));
  ASSERT_TRUE(program.waitReady());
  QFile file(dir.file("ready.json"));
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QJsonObject ready = QJsonDocument::fromJson(file.readAll()).object();
  file.close();
  struct stat info {};
  ASSERT_EQ(::stat(QFile::encodeName(dir.file("ready.json")).constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0600u) << "it holds the token";
  EXPECT_EQ(ready.value("controlToken").toString(), "process-token");
  EXPECT_EQ(ready.value("baseUrl").toString(), program.line(QStringLiteral("REST service at (\\S+)")));
  EXPECT_EQ(signIn(ready.value("baseUrl").toString()).status, 200);
  EXPECT_GT(ready.value("playbackPort").toInt(), 0);
  ASSERT_TRUE(program.stopWith(SIGINT));
  EXPECT_EQ(program.process().exitCode(), 0);
  EXPECT_TRUE(program.out().contains("tavrobox-cloudsim: stopped"));
  EXPECT_FALSE(QFile::exists(dir.file("ready.json"))) << "removed at exit";
}

TEST(Program, ServesTlsWithTheCertificateItGenerates) {
  tbtest::TempDir dir;
  Program program(baseArgs(dir) << "--tls" << "--cert-dir" << dir.file("tls"));
  ASSERT_TRUE(program.waitReady()) << program.out().constData() << program.process().readAllStandardError().constData();
  const QString base = program.line(QStringLiteral("REST service at (\\S+)"));
  ASSERT_TRUE(base.startsWith("https://127.0.0.1:")) << base.toStdString();
  const QString certPath = program.line(QStringLiteral("certificate (\\S+)"));
  ASSERT_TRUE(certPath.startsWith(dir.file("tls"))) << certPath.toStdString();
  const auto certificates = QSslCertificate::fromPath(certPath);
  ASSERT_EQ(certificates.size(), 1);
  // The key's folder and the key are the user's alone, whatever the umask.
  struct stat info {};
  ASSERT_EQ(::stat(QFile::encodeName(dir.file("tls")).constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 0777, 0700u);
  ASSERT_EQ(::stat(QFile::encodeName(dir.file("tls/cloudsim.key")).constData(), &info), 0);
  EXPECT_EQ(info.st_mode & 0077, 0u);

  QSslConfiguration untrusted = QSslConfiguration::defaultConfiguration();
  const Answer refused = signIn(base, &untrusted);
  EXPECT_NE(refused.error, QNetworkReply::NoError) << "a self-signed certificate is not trusted by default";

  QSslConfiguration trusted = QSslConfiguration::defaultConfiguration();
  trusted.addCaCertificates(certificates);
  const Answer a = signIn(base, &trusted);
  EXPECT_EQ(a.error, QNetworkReply::NoError);
  EXPECT_EQ(a.status, 200) << "hostname 127.0.0.1 verified against the certificate";
  ASSERT_TRUE(program.stopWith(SIGTERM));
  EXPECT_EQ(program.process().exitCode(), 0);

  // A restart keeps the certificate the app was told to trust.
  Program again(baseArgs(dir) << "--tls" << "--cert-dir" << dir.file("tls"));
  ASSERT_TRUE(again.waitReady());
  EXPECT_EQ(QSslCertificate::fromPath(again.line(QStringLiteral("certificate (\\S+)"))), certificates);
  EXPECT_EQ(signIn(again.line(QStringLiteral("REST service at (\\S+)")), &trusted).status, 200);
}

struct StartFailure {
  const char* name;
  QStringList extra;
  int exitCode;
  const char* message;
};
void PrintTo(const StartFailure& c, std::ostream* os) { *os << c.name; }
class ProgramRefuses : public ::testing::TestWithParam<StartFailure> {};
TEST_P(ProgramRefuses, WithAClearMessage) {
  tbtest::TempDir dir;
  QFile bad(dir.file("bad.json"));
  ASSERT_TRUE(bad.open(QIODevice::WriteOnly));
  bad.write("{\"gateway\": ");
  bad.close();
  QStringList args = baseArgs(dir);
  for (const QString& a : GetParam().extra) args << QString(a).replace("$DIR", dir.path());
  Program program(args);
  ASSERT_TRUE(program.process().waitForFinished(20000));
  EXPECT_EQ(program.process().exitCode(), GetParam().exitCode);
  const QByteArray err = program.process().readAllStandardError();
  EXPECT_TRUE(err.contains(GetParam().message)) << err.constData();
}
INSTANTIATE_TEST_SUITE_P(
    Inputs, ProgramRefuses,
    ::testing::Values(StartFailure{"unknownOption", {"--frobnicate"}, 2, "frobnicate"},
                      StartFailure{"missingHome", {"--home", "$DIR/none.json"}, 2, "none.json"},
                      StartFailure{"brokenHome", {"--home", "$DIR/bad.json"}, 2, "bad.json"},
                      StartFailure{"brokenUsers", {"--users", "$DIR/bad.json"}, 2, "bad.json"},
                      StartFailure{"missingCertificate", {"--tls", "--cert", "$DIR/no.crt", "--key", "$DIR/no.key"}, 1, "no.crt"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Program, SaysWhenItsPortIsTaken) {
  QTcpServer taken;
  ASSERT_TRUE(taken.listen(QHostAddress::LocalHost));
  tbtest::TempDir dir;
  QStringList args = baseArgs(dir);
  args[1] = QStringLiteral("127.0.0.1:%1").arg(taken.serverPort());
  Program program(args);
  ASSERT_TRUE(program.process().waitForFinished(20000));
  EXPECT_EQ(program.process().exitCode(), 1);
  EXPECT_TRUE(program.process().readAllStandardError().contains("cannot listen"));
}

}  // namespace
