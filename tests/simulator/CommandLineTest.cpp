// The command line of tavrobox-cloudsim.
#include "home/CommandLine.h"

#include <QDir>

#include <gtest/gtest.h>

#include <ostream>

using namespace simhome;

namespace {

std::optional<CommandLine> parse(QStringList args, QString* error = nullptr) {
  args.prepend("tavrobox-cloudsim");
  return parseCommandLine(args, error);
}

TEST(CommandLine, DefaultsMeetTheAppsBuiltInConfiguration) {
  const auto c = parse({});
  ASSERT_TRUE(c);
  EXPECT_EQ(c->listen.address, QHostAddress(QHostAddress::LocalHost));
  EXPECT_EQ(c->listen.port, 8470);
  EXPECT_EQ(c->restType, "tavrobox");
  EXPECT_EQ(c->restVersion, "v1");
  EXPECT_FALSE(c->tls);
  EXPECT_EQ(c->sessionTtlSeconds, 1800);
  // The key and the video go to the user's private runtime folder, never to a predictable path
  // of the shared temporary folder.
  for (const QString& folder : {c->certDir, c->mediaDir}) {
    EXPECT_TRUE(folder.startsWith(simhome::privateFolder() + "/")) << folder.toStdString();
    EXPECT_FALSE(folder.startsWith(QDir::tempPath() + "/tavrobox-cloudsim")) << folder.toStdString();
  }
}

TEST(CommandLine, EveryOptionIsRead) {
  const auto c = parse({"--listen", "0.0.0.0:9000", "--media-listen", ":9001", "--tls", "--cert", "c.pem", "--key", "k.pem",
                        "--rest-type", "box", "--rest-version", "v2", "--home", "h.json", "--users", "u.json",
                        "--session-ttl", "60", "--latency", "150", "--seed", "99", "--media-dir", "/tmp/m",
                        "--control-token", "secret-token", "--life-interval", "0", "--verbose"});
  ASSERT_TRUE(c);
  EXPECT_EQ(c->listen.port, 9000);
  EXPECT_EQ(c->listen.address, QHostAddress(QHostAddress::AnyIPv4));
  EXPECT_EQ(c->mediaListen.port, 9001);
  EXPECT_EQ(c->mediaListen.address, QHostAddress(QHostAddress::LocalHost));
  EXPECT_EQ(c->certFile, "c.pem");
  EXPECT_EQ(c->restType, "box");
  EXPECT_EQ(c->sessionTtlSeconds, 60);
  EXPECT_EQ(c->latencyMs, 150);
  EXPECT_EQ(c->seed, 99u);
  EXPECT_EQ(c->mediaDir, "/tmp/m");
  EXPECT_EQ(c->controlToken, "secret-token");
  EXPECT_EQ(c->lifeIntervalSeconds, 0);
  EXPECT_TRUE(c->verbose);
}

struct BadArgs {
  const char* name;
  QStringList args;
  const char* message;
};
void PrintTo(const BadArgs& c, std::ostream* os) { *os << c.name; }
class CommandLineErrors : public ::testing::TestWithParam<BadArgs> {};
TEST_P(CommandLineErrors, SayWhatIsWrong) {
  QString error;
  EXPECT_FALSE(parse(GetParam().args, &error));
  EXPECT_TRUE(error.contains(GetParam().message)) << error.toStdString();
}
INSTANTIATE_TEST_SUITE_P(
    Args, CommandLineErrors,
    ::testing::Values(BadArgs{"portTooLarge", {"--listen", "127.0.0.1:70000"}, "--listen"},
                      BadArgs{"noPort", {"--listen", "127.0.0.1"}, "--listen"},
                      BadArgs{"badHost", {"--media-listen", "not a host:80"}, "--media-listen"},
                      BadArgs{"certWithoutKey", {"--tls", "--cert", "c.pem"}, "--cert and --key"},
                      BadArgs{"certWithoutTls", {"--cert", "c.pem", "--key", "k.pem"}, "--tls"},
                      BadArgs{"typeWithSlash", {"--rest-type", "a/b"}, "single path segments"},
                      BadArgs{"ttlZero", {"--session-ttl", "0"}, "--session-ttl"},
                      BadArgs{"latencyText", {"--latency", "soon"}, "--latency"},
                      BadArgs{"seedText", {"--seed", "x"}, "--seed"},
                      BadArgs{"shortToken", {"--control-token", "abc"}, "--control-token"},
                      BadArgs{"unknown", {"--colour"}, "colour"},
                      BadArgs{"positional", {"extra"}, "extra"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Endpoint, ReadsHostsAndPorts) {
  EXPECT_EQ(parseEndpoint("localhost:8470")->address, QHostAddress(QHostAddress::LocalHost));
  EXPECT_EQ(parseEndpoint("[::1]:8470")->address, QHostAddress(QHostAddress::LocalHostIPv6));
  EXPECT_EQ(parseEndpoint("[::1]:8470")->host, "[::1]");
  EXPECT_EQ(parseEndpoint("127.0.0.1:0")->port, 0);
  EXPECT_FALSE(parseEndpoint("127.0.0.1:-1"));
}

}  // namespace
