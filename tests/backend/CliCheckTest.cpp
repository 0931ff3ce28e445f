// tavrobox-cli against the simulated service started as a process: it signs in, runs every read,
// and reports each outcome; a refused sign-in stops it with status 2; the password comes from
// where no other user of the machine can read it, and the session identifier is never printed.
#include <QFile>
#include <QProcess>
#include <QRegularExpression>

#include <gtest/gtest.h>

#include "support/TempDir.h"
#include "support/Wait.h"

namespace {

class CliCheckTest : public ::testing::Test {
 protected:
  void SetUp() override {
    simulator.setProcessChannelMode(QProcess::MergedChannels);
    simulator.start(QStringLiteral(TB_CLOUDSIM_PATH),
                    {"--listen", "127.0.0.1:0", "--media-listen", "127.0.0.1:0"});
    const QRegularExpression serverLine(QStringLiteral("RestServer=(\\S+)"));
    QString seen;
    ASSERT_TRUE(tbtest::waitUntil(
        [&] {
          seen += QString::fromUtf8(simulator.readAll());
          const auto match = serverLine.match(seen);
          if (match.hasMatch()) server = match.captured(1);
          return !server.isEmpty() || simulator.state() == QProcess::NotRunning;
        },
        30000));
    ASSERT_FALSE(server.isEmpty()) << seen.toStdString();
  }

  void TearDown() override {
    simulator.terminate();
    if (!simulator.waitForFinished(5000)) simulator.kill();
    simulator.waitForFinished(5000);
  }

  // Runs the tool to its end (bounded) and returns its exit status; the output goes to `output`.
  int runCli(const QStringList& arguments, QString& output, const QByteArray& input = {},
             const QProcessEnvironment& environment = QProcessEnvironment::systemEnvironment()) {
    QProcess cli;
    cli.setProcessChannelMode(QProcess::MergedChannels);
    cli.setProcessEnvironment(environment);
    cli.start(QStringLiteral(TB_CLI_PATH), QStringList{"--server", server, "--timeout", "20"} + arguments);
    cli.write(input);
    cli.closeWriteChannel();
    const bool finished = cli.waitForFinished(120000);
    output = QString::fromUtf8(cli.readAll());
    EXPECT_TRUE(finished) << output.toStdString();
    return finished && cli.exitStatus() == QProcess::NormalExit ? cli.exitCode() : -1;
  }

  QProcess simulator;
  QString server;
};

TEST_F(CliCheckTest, SignsInAndReadsEverything) {
  QString output;
  EXPECT_EQ(runCli({"--user", "demo", "--password", "demo"}, output), 0) << output.toStdString();
  for (const char* line : {"== sign-in as demo: kSuccessLoginPostLogin", "== dashboard: kSuccessDashboardGetDashboard",
                           "== devices: kSuccessDeviceGetList", "== modes: kSuccessModeGetList",
                           "== favorites: kSuccessFavoriteGetList", "== scenarios: kSuccessScenarioGetList",
                           "== history: kSuccessHistoryGetList", "== weather day: kSuccessWeatherGetDay",
                           "== weather previousYear: kSuccessWeatherGetPYear",
                           "== recordings: kSuccessCameraGetRecList", "== playback server: kSuccessCameraGetPlayback"})
    EXPECT_TRUE(output.contains(QLatin1String(line))) << line;
  // What landed in the store is printed: the sign-in's answer with its session masked, and the
  // devices' records.
  EXPECT_TRUE(output.contains(QLatin1String("sessionId: \"<hidden>\""))) << output.toStdString();
  EXPECT_FALSE(output.contains(QRegularExpression(QStringLiteral("sessionId: \"[0-9A-F]+\""))));
  EXPECT_TRUE(output.contains(QLatin1String("warning: --password"))) << "a password in the arguments is visible to all";
  EXPECT_TRUE(output.contains(QLatin1String("VODevice {")));
}

TEST_F(CliCheckTest, ThePasswordComesFromStandardInputAFileOrTheEnvironment) {
  tbtest::TempDir folder;
  const QString file = folder.file(QStringLiteral("password"));
  QFile written(file);
  ASSERT_TRUE(written.open(QIODevice::WriteOnly));
  written.write("demo\r\n");
  written.close();
  QProcessEnvironment withVariable = QProcessEnvironment::systemEnvironment();
  withVariable.insert(QStringLiteral("TAVROBOX_PASSWORD"), QStringLiteral("demo"));
  struct Case {
    const char* what;
    QStringList arguments;
    QByteArray input;
    QProcessEnvironment environment;
    int status;
  };
  const Case cases[] = {
      {"standard input", {"--password-file", "-"}, "demo\n", QProcessEnvironment::systemEnvironment(), 0},
      {"a file", {"--password-file", file}, {}, QProcessEnvironment::systemEnvironment(), 0},
      {"the environment", {}, {}, withVariable, 0},
      {"a file that is not there", {"--password-file", file + "-gone"}, {}, withVariable, 2},
  };
  for (const Case& c : cases) {
    QString output;
    EXPECT_EQ(runCli(QStringList{"--user", "demo", "devices"} + c.arguments, output, c.input, c.environment), c.status)
        << c.what << "\n" << output.toStdString();
    EXPECT_FALSE(output.contains(QLatin1String("warning"))) << c.what;
    EXPECT_EQ(output.contains(QLatin1String("== devices: kSuccessDeviceGetList")), c.status == 0) << c.what;
  }
}

TEST_F(CliCheckTest, ARefusedSignInStopsEverything) {
  QString output;
  EXPECT_EQ(runCli({"--user", "demo", "--password", "wrong", "devices"}, output), 2) << output.toStdString();
  EXPECT_TRUE(output.contains(QLatin1String("kErrorLoginPostLogin")));
  EXPECT_FALSE(output.contains(QLatin1String("== devices")));
}

}  // namespace
