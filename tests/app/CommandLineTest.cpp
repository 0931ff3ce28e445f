#include "backend/BackgroundPreferences.h"
#include "app/CommandLine.h"
#include "support/TempDir.h"

#include <QFile>
#include <QFileInfo>

#include <gtest/gtest.h>

namespace {

TEST(CommandLineTest, OptionsAreReadInBothFormsAndMistakesNameTheOption) {
  struct Case {
    QStringList args;
    QString config, language, tour;
    double scale;
    const char* error;  // part of the message, or nullptr when the line is valid
  };
  const Case cases[] = {
      {{}, "", "", "", 1.0, nullptr},
      {{"--config", "a.conf", "--lang", "EN", "--scale", "2", "--tour", "shots"}, "a.conf", "en", "shots", 2.0, nullptr},
      {{"--config=b.conf", "--lang=fr", "--scale=1.5", "--tour=out"}, "b.conf", "fr", "out", 1.5, nullptr},
      {{"--lang", "de"}, "", "", "", 1, "--lang takes fr or en"},
      {{"--config"}, "", "", "", 1, "--config needs a file"},
      {{"--config", "--tour", "x"}, "", "", "", 1, "--config needs a file"},
      {{"--tour="}, "", "", "", 1, "--tour needs a folder"},
      {{"--scale", "9"}, "", "", "", 1, "--scale must be a number"},
      {{"--scale"}, "", "", "", 1, "--scale needs a value"},
      {{"--verbose"}, "", "", "", 1, "unknown option --verbose"},
      {{"stray"}, "", "", "", 1, "unexpected argument \"stray\""},
  };
  for (const Case& c : cases) {
    const auto options = app::parseLaunchOptions(QStringList{"tavrobox"} + c.args);
    const std::string line = c.args.join(' ').toStdString();
    if (c.error) {
      ASSERT_FALSE(options.ok()) << line;
      EXPECT_NE(options.error().message.find(c.error), std::string::npos) << line << ": " << options.error().message;
      continue;
    }
    ASSERT_TRUE(options.ok()) << line << ": " << options.error().message;
    EXPECT_EQ(options->configPath, c.config) << line;
    EXPECT_EQ(options->language, c.language) << line;
    EXPECT_EQ(options->tourDir, c.tour) << line;
    EXPECT_EQ(options->scale, c.scale) << line;
  }
  EXPECT_TRUE(app::parseLaunchOptions({"tavrobox", "-h"})->help);
  EXPECT_TRUE(app::parseLaunchOptions({"tavrobox", "--version"})->version);
  EXPECT_TRUE(app::parseLaunchOptions({"tavrobox", "--exit-after-first-frame"})->exitAfterFirstFrame);
  EXPECT_TRUE(app::parseLaunchOptions({"tavrobox", "--background"})->background);
}

TEST(CommandLineTest, TheAutostartEntryStartsTheAppInTheBackgroundAndGoesWithThePreference) {
  const QByteArray before = qgetenv("XDG_CONFIG_HOME");
  tbtest::TempDir folder;
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.path()));
  const QString entry = folder.file("autostart/tavrobox.desktop");
  ASSERT_EQ(backend::background::autostartFile(), entry);
  EXPECT_FALSE(backend::background::startsWithSession());

  QString error;
  ASSERT_TRUE(backend::background::setStartsWithSession(true, "/opt/Tavro Box/tavrobox", "/etc/tb$1.conf", &error)) << error.toStdString();
  EXPECT_TRUE(backend::background::startsWithSession());
  QFile file(entry);
  ASSERT_TRUE(file.open(QIODevice::ReadOnly));
  const QString text = QString::fromUtf8(file.readAll());
  EXPECT_TRUE(text.startsWith("[Desktop Entry]\n")) << text.toStdString();
  EXPECT_TRUE(text.contains(R"(Exec="/opt/Tavro Box/tavrobox" --background --config "/etc/tb\\$1.conf")" "\n")) << text.toStdString();

  ASSERT_TRUE(backend::background::setStartsWithSession(false, {}));
  EXPECT_FALSE(QFileInfo::exists(entry));
  // Where the folder cannot be made, the error says which file.
  qputenv("XDG_CONFIG_HOME", QFile::encodeName(folder.file("entry-is-a-file")));
  QFile blocker(folder.file("entry-is-a-file"));
  ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
  blocker.close();
  EXPECT_FALSE(backend::background::setStartsWithSession(true, "tavrobox", {}, &error));
  EXPECT_TRUE(error.contains("autostart")) << error.toStdString();
  qputenv("XDG_CONFIG_HOME", before);
}

}  // namespace
