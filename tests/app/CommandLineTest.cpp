#include "app/CommandLine.h"

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
}

}  // namespace
