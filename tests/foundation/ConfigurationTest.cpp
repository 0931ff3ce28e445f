#include "foundation/Configuration.h"

#include "support/TempDir.h"

#include <QFile>

#include <gtest/gtest.h>

using foundation::Configuration;

namespace {
QString write(const tbtest::TempDir& dir, const QString& name, const QByteArray& text) {
  QFile f(dir.file(name));
  EXPECT_TRUE(f.open(QIODevice::WriteOnly));
  f.write(text);
  return f.fileName();
}
}  // namespace

TEST(Configuration, ReadsValuesAndBuildsTheBaseURL) {
  tbtest::TempDir dir;
  const QString path = write(dir, "tavrobox.conf",
                             "# service\n"
                             "RestServer = https://cloud.example.net:8443/\n"
                             "RestType=rest\n"
                             "RestVersion = \"v2\"\n"
                             "RestTrustedCertificates = certs/service.pem, /etc/other.pem\n"
                             "RestTrustedFingerprints = AB:CD:EF:01:23:45:67:89:AB:CD:EF:01:23:45:67:89:AB:CD:EF:01:23:45:67:89:AB:CD:EF:01:23:45:67:89\n"
                             "RestPlaybackPort = 8554\n");
  const auto c = Configuration::readFile(path);
  ASSERT_TRUE(c.ok()) << c.error().message;
  EXPECT_EQ(c->baseURL(), QStringLiteral("https://cloud.example.net:8443/rest/v2"));
  EXPECT_EQ(c->trustedCertificates, QStringList({dir.file("certs/service.pem"), "/etc/other.pem"}));
  EXPECT_EQ(c->trustedFingerprints.value(0), QString("abcdef0123456789").repeated(4));
  EXPECT_EQ(c->playbackPort, 8554);
  EXPECT_FALSE(c->insecureTLS);
  EXPECT_EQ(c->sourcePath, path);
}

TEST(Configuration, BrokenFilesNameThePathAndTheLine) {
  struct Case {
    QByteArray text;
    int line;
    const char* fragment;
  };
  const Case cases[] = {
      {"RestServer = http://x\nthis line has no equals sign\n", 2, "expected 'key = value'"},
      {"[General\n", 1, "unterminated section"},
      {"RestInsecureTLS = maybe\n", 1, "true or false"},
      {"\n\nRestTrustedFingerprints = 1234\n", 3, "64 hexadecimal digits"},
      {"RestServer = ftp://host\n", 1, "http:// or https://"},
      {"RestPlaybackPort = 70000\n", 1, "1-65535"},
      {"RestSevrer = http://typo\n", 1, "unknown key 'RestSevrer'"},
      {"# remote\nRestServer = http://cloud.example.net:8470\n", 2, "RestAllowInsecureHttp"},
      {"RestServer = http://128.0.0.1\nRestAllowInsecureHttp = false\n", 1, "in clear"},
      {"RestAllowInsecureHttp = sometimes\n", 1, "true or false"},
  };
  tbtest::TempDir dir;
  for (const auto& c : cases) {
    const QString path = write(dir, "broken.conf", c.text);
    const auto result = Configuration::readFile(path);
    ASSERT_FALSE(result.ok()) << c.text.constData();
    EXPECT_EQ(result.error().code, c.line);
    const QString message = QString::fromStdString(result.error().message);
    EXPECT_TRUE(message.startsWith(QStringLiteral("%1:%2: ").arg(path).arg(c.line))) << qPrintable(message);
    EXPECT_TRUE(message.contains(c.fragment)) << qPrintable(message);
  }
}

// Plain http:// goes only to this machine, unless the deployment says otherwise.
TEST(Configuration, PlainHttpOnlyForLoopbackUnlessAllowed) {
  for (const char* server : {"http://127.0.0.1:8470", "http://127.10.0.3", "http://localhost:80", "http://[::1]:8470",
                             "https://cloud.example.net"}) {
    const auto result = Configuration::parse(QStringLiteral("RestServer = %1\n").arg(server), "t.conf");
    ASSERT_TRUE(result.ok()) << server;
    EXPECT_FALSE(result->usesInsecureHttp()) << server;
  }
  const auto allowed = Configuration::parse("RestAllowInsecureHttp = true\nRestServer = http://cloud.example.net\n", "t.conf");
  ASSERT_TRUE(allowed.ok());
  EXPECT_TRUE(allowed->usesInsecureHttp());
}

// A server typed at the login meets the same rules as the file's RestServer.
TEST(Configuration, TypedServerCheckedAsRestServer) {
  struct Case {
    const char* typed;
    bool allowInsecureHttp;
    const char* expected;  // "" when refused
  };
  const Case cases[] = {
      {" https://cloud.example.net:8470/ ", false, "https://cloud.example.net:8470"},
      {"http://127.0.0.1:8471", false, "http://127.0.0.1:8471"},
      {"http://cloud.example.net", false, ""},
      {"http://cloud.example.net", true, "http://cloud.example.net"},
      {"cloud.example.net", false, ""},
      {"https://", false, ""},
      {"https://cloud.example.net/?x=1", false, ""},
  };
  for (const Case& c : cases) {
    const auto result = Configuration::checkServer(QString::fromLatin1(c.typed), c.allowInsecureHttp);
    EXPECT_EQ(result.ok() ? result.value() : QString(), QString::fromLatin1(c.expected)) << c.typed;
    if (!result.ok()) {
      EXPECT_FALSE(result.error().message.empty()) << c.typed;
    }
  }
}

TEST(Configuration, MissingOrBinaryFileIsAnErrorNotACrash) {
  tbtest::TempDir dir;
  EXPECT_FALSE(Configuration::readFile(dir.file("absent.conf")).ok());
  const QString binary = write(dir, "binary.conf", QByteArray("Rest\xff\xfe\x00Server", 13));
  EXPECT_FALSE(Configuration::readFile(binary).ok());
}

TEST(Configuration, LookupOrderExplicitThenEnvironmentThenDefault) {
  tbtest::TempDir dir;
  const QString fromEnv = write(dir, "env.conf", "RestType = fromenv\n");
  const QString explicitFile = write(dir, "explicit.conf", "RestType = explicit\n");
  qputenv("TAVROBOX_CONFIG", fromEnv.toUtf8());
  EXPECT_EQ(Configuration::load(explicitFile)->restType, QStringLiteral("explicit"));
  EXPECT_EQ(Configuration::load()->restType, QStringLiteral("fromenv"));
  qunsetenv("TAVROBOX_CONFIG");
  qputenv("XDG_CONFIG_HOME", dir.file("empty-config-home").toUtf8());
  const auto fallback = Configuration::load();
  ASSERT_TRUE(fallback.ok());
  EXPECT_EQ(fallback->baseURL(), Configuration::builtInDefault().baseURL());
  EXPECT_TRUE(fallback->sourcePath.isEmpty());
}

TEST(Configuration, SectionsOfOtherToolsAreIgnored) {
  const auto c = Configuration::parse("RestType = a\n[Other]\nAnything = goes\n[General]\nRestVersion = b\n", "x.conf");
  ASSERT_TRUE(c.ok()) << c.error().message;
  EXPECT_EQ(c->restType, QStringLiteral("a"));
  EXPECT_EQ(c->restVersion, QStringLiteral("b"));
}
