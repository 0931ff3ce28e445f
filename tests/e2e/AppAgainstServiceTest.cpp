// The app as the user starts it: `tavrobox --tour` against `tavrobox-cloudsim` over TLS, with the
// configuration scripts/run writes. It signs in and saves its pictures; a wrong password, an
// untrusted certificate and a broken configuration each end with a clear error.
#include "support/TempDir.h"
#include "support/Wait.h"

#include <QDir>
#include <QFile>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

constexpr int kStartMs = 30000;
constexpr int kTourMs = 90000;

struct Outcome {
  int exitCode = -1;
  QString out;
  QString err;
};

// The simulated service on free ports, over TLS with a certificate made for the test.
class Service {
 public:
  explicit Service(const QString& folder) {
    m_process.setProgram(QStringLiteral(TB_CLOUDSIM_PATH));
    m_process.setArguments({"--tls", "--listen", "127.0.0.1:0", "--media-listen", "127.0.0.1:0", "--cert-dir",
                            folder + "/tls", "--media-dir", folder + "/media"});
    m_process.setProcessChannelMode(QProcess::MergedChannels);
    m_process.start();
  }
  ~Service() {
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.terminate();
    if (!m_process.waitForFinished(10000)) {
      m_process.kill();
      m_process.waitForFinished(5000);
    }
  }
  bool waitReady() {
    tbtest::waitUntil([&] {
      m_out += QString::fromUtf8(m_process.readAll());
      return m_out.contains("tavrobox-cloudsim: ready") || m_process.state() == QProcess::NotRunning;
    }, kStartMs);
    return m_out.contains("tavrobox-cloudsim: ready");
  }
  QString setting(const QString& key) const {
    const auto m = QRegularExpression(QStringLiteral("app configuration .*\\b%1=(\\S+)").arg(key)).match(m_out);
    return m.hasMatch() ? m.captured(1) : QString();
  }
  QString certificate() const {
    const auto m = QRegularExpression(QStringLiteral("tavrobox-cloudsim: certificate (\\S+)")).match(m_out);
    return m.hasMatch() ? m.captured(1) : QString();
  }
  const QString& output() const { return m_out; }

 private:
  QProcess m_process;
  QString m_out;
};

class AppAgainstServiceTest : public ::testing::Test {
 protected:
#if defined(__SANITIZE_THREAD__)
  // The whole app, video included, runs many times slower under the thread sanitizer and its
  // uninstrumented media libraries report there: the tour outlasts its bound. The app's threads
  // are covered by the in-process tests; these runs of the program stay with the other builds.
  void SetUp() override { GTEST_SKIP() << "the app run as a program is not checked under the thread sanitizer"; }
#endif
  QString writeConfig(const QString& text) {
    const QString path = folder.file(QStringLiteral("tavrobox.conf"));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text.toUtf8());
    return path;
  }
  // The configuration scripts/run writes for the service, with the lines given replacing its own.
  QString configFor(const Service& service, const QString& password = QStringLiteral("demo"), bool trust = true) {
    QString text = QStringLiteral("RestServer = %1\nRestType = %2\nRestVersion = %3\nRestPlaybackPort = %4\n"
                                  "DemoUser = demo\nDemoPassword = %5\n")
                       .arg(service.setting("RestServer"), service.setting("RestType"), service.setting("RestVersion"),
                            service.setting("RestPlaybackPort"), password);
    if (trust) text += QStringLiteral("RestTrustedCertificates = %1\n").arg(service.certificate());
    return writeConfig(text);
  }
  Outcome runApp(const QStringList& arguments) {
    QProcess app;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    // Away from the user's own configuration, preferences and caches.
    env.insert(QStringLiteral("HOME"), folder.path());
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.file(QStringLiteral("config")));
    env.insert(QStringLiteral("XDG_CACHE_HOME"), folder.file(QStringLiteral("cache")));
    // Qt warns on stderr when there is none, and a clean run must leave stderr empty.
    QDir(folder.path()).mkpath(QStringLiteral("runtime"));
    QFile::setPermissions(folder.file(QStringLiteral("runtime")), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder.file(QStringLiteral("runtime")));
    env.remove(QStringLiteral("TAVROBOX_CONFIG"));
    app.setProcessEnvironment(env);
    app.start(QStringLiteral(TB_APP_PATH), arguments);
    Outcome outcome;
    if (!app.waitForFinished(kTourMs)) {
      app.kill();
      app.waitForFinished(5000);
      ADD_FAILURE() << "tavrobox did not finish";
    }
    outcome.exitCode = app.exitStatus() == QProcess::NormalExit ? app.exitCode() : -1;
    outcome.out = QString::fromUtf8(app.readAllStandardOutput());
    outcome.err = QString::fromUtf8(app.readAllStandardError());
    return outcome;
  }
  QString picture(const QString& name) const { return folder.file(QStringLiteral("tour/") + name); }

  tbtest::TempDir folder;
};

TEST_F(AppAgainstServiceTest, TheTourSignsInOverTlsAndSavesTheLoginTheMenuAndAnAlert) {
  Service service(folder.path());
  ASSERT_TRUE(service.waitReady()) << service.output().toStdString();
  const QString config = configFor(service);

  const Outcome run = runApp({"--config", config, "--tour", folder.file(QStringLiteral("tour"))});
  ASSERT_EQ(run.exitCode, 0) << run.out.toStdString() << run.err.toStdString();
  // Not a warning either, up to the very end (closing the TLS connection at exit once warned). Qt's
  // video output says twice, on the offscreen platform only, that it draws without a GPU.
  QStringList errors = run.err.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
  errors.removeIf([](const QString& line) {
    return line.endsWith(QLatin1String("No RHI backend. Using CPU conversion.")) ||
           line.endsWith(QLatin1String("This plugin does not support propagateSizeHints()"));
  });
  EXPECT_EQ(errors, QStringList());
  EXPECT_TRUE(run.out.contains(QStringLiteral("signed in as \"demo\""))) << run.out.toStdString();
  EXPECT_TRUE(run.out.contains(QStringLiteral("resident memory after sign-in"))) << run.out.toStdString();
  for (const char* name : {"01-login.png", "02-menu.png", "03-alert.png"}) {
    const QImage image(picture(QString::fromLatin1(name)));
    EXPECT_EQ(image.size(), QSize(320, 480)) << name;
  }
  // The menu is not the login: the popup had gone when the picture was taken.
  EXPECT_NE(QImage(picture("01-login.png")), QImage(picture("02-menu.png")));
}

TEST_F(AppAgainstServiceTest, AWrongPasswordOrAnUntrustedCertificateIsARefusedSignIn) {
  Service service(folder.path());
  ASSERT_TRUE(service.waitReady()) << service.output().toStdString();
  const struct {
    const char* what;
    QString password;
    bool trust;
  } cases[] = {{"wrong password", QStringLiteral("nope"), true}, {"certificate not trusted", QStringLiteral("demo"), false}};
  for (const auto& c : cases) {
    const QString config = configFor(service, c.password, c.trust);
    const Outcome run = runApp({"--config", config, "--tour", folder.file(QStringLiteral("tour"))});
    EXPECT_EQ(run.exitCode, 1) << c.what;
    EXPECT_TRUE(run.err.contains(QStringLiteral("was refused"))) << c.what << ": " << run.err.toStdString();
    EXPECT_TRUE(QFile::exists(picture("02-login-failed.png"))) << c.what;
    QFile::remove(picture("02-login-failed.png"));
  }
}

TEST_F(AppAgainstServiceTest, ABrokenConfigurationStopsTheStartWithItsFileAndLine) {
  const struct {
    const char* text;
    const char* expected;
  } cases[] = {
      {"RestServer = https://127.0.0.1:1\nRestServr = x\n", "tavrobox.conf:2: unknown key 'RestServr'"},
      {"RestServer = ftp://example\n", "tavrobox.conf:1: RestServer must start with http:// or https://"},
      {"RestTrustedCertificates = missing.pem\n", "missing.pem"},
  };
  for (const auto& c : cases) {
    const QString config = writeConfig(QString::fromLatin1(c.text));
    const Outcome run = runApp({"--config", config, "--tour", folder.file(QStringLiteral("tour"))});
    EXPECT_EQ(run.exitCode, 1) << c.text;
    EXPECT_TRUE(run.err.contains(QStringLiteral("configuration error"))) << run.err.toStdString();
    EXPECT_TRUE(run.err.contains(QString::fromLatin1(c.expected))) << run.err.toStdString();
  }
  const Outcome wrongOption = runApp({"--lang", "de"});
  EXPECT_EQ(wrongOption.exitCode, 2);
  EXPECT_TRUE(wrongOption.err.contains(QStringLiteral("--lang takes fr or en"))) << wrongOption.err.toStdString();
}

}  // namespace
