// The home model without HTTP: reading home files, and what favorites and scenarios do.
#include "home/HomeJson.h"
#include "home/Sessions.h"
#include "home/Users.h"

#include <QJsonDocument>
#include <QStringList>

#include <gtest/gtest.h>

#include <ostream>

using namespace simhome;

namespace {

constexpr qint64 kNow = 1362312000000;

QJsonObject parse(const char* text) { return QJsonDocument::fromJson(text).object(); }

Home demo() {
  QString error;
  auto home = loadHomeFile(builtInHomePath(), HomeSetup{1, kNow}, &error);
  EXPECT_TRUE(home.has_value()) << error.toStdString();
  return home ? *home : Home();
}

TEST(DemoHome, HasWhatTheAppShows) {
  const Home home = demo();
  auto count = [&](auto pred) { return std::count_if(home.devices.begin(), home.devices.end(), pred); };
  QStringList lightTypes;
  for (const Device& d : home.devices)
    if (d.family() == Family::Light && !lightTypes.contains(d.type)) lightTypes << d.type;
  EXPECT_GE(count([](const Device& d) { return d.family() == Family::Light; }), 6);
  EXPECT_GE(lightTypes.size(), 3);
  EXPECT_GE(count([](const Device& d) { return !dashboardSection(d.family()).compare("opening"); }), 5);
  EXPECT_GE(count([](const Device& d) { return d.family() == Family::PulseOpening; }), 1);
  EXPECT_GE(count([](const Device& d) { return d.family() == Family::OpenCloseOpening; }), 1);
  for (const char* type : {"P0VM", "P1MFC", "P1MHWR", "P1WT", "FCAM", "RCAM", "OCAM", "USB_WEATHER_VYR"})
    EXPECT_EQ(count([&](const Device& d) { return d.type == type; }), 1) << type;
  EXPECT_GE(count([](const Device& d) { return d.family() == Family::OnOffHeating; }), 1);
  EXPECT_EQ(home.favorites.size(), 4u);
  EXPECT_EQ(home.modes.size(), 3);
  EXPECT_GE(home.history.size(), 60u);
}

struct BadHome {
  const char* name;
  const char* json;
  const char* message;  // part of the error
};

void PrintTo(const BadHome& c, std::ostream* os) { *os << c.name; }

class HomeFileErrors : public ::testing::TestWithParam<BadHome> {};

TEST_P(HomeFileErrors, NameTheMemberAtFault) {
  QString error;
  EXPECT_FALSE(homeFromJson(parse(GetParam().json), HomeSetup{1, kNow}, &error).has_value());
  EXPECT_TRUE(error.contains(GetParam().message)) << error.toStdString();
}

#define GW R"("gateway":{"id":"G1"})"
INSTANTIATE_TEST_SUITE_P(
    Homes, HomeFileErrors,
    ::testing::Values(
        BadHome{"noGateway", R"({"devices":[]})", "gateway"},
        BadHome{"emptyGatewayId", R"({"gateway":{"id":""}})", "gateway.id"},
        BadHome{"deviceWithoutSerial", "{" GW R"(,"devices":[{"id":1,"name":"a","type":"P0R"}]})", "devices[0]: 'serial' is required"},
        BadHome{"duplicateSerial", "{" GW R"(,"devices":[{"id":1,"serial":"a","name":"a","type":"P0R"},{"id":2,"serial":"a","name":"b","type":"P0R"}]})", "devices[1].serial"},
        BadHome{"duplicateId", "{" GW R"(,"devices":[{"id":1,"serial":"a","name":"a","type":"P0R"},{"id":1,"serial":"b","name":"b","type":"P0R"}]})", "devices[1].id"},
        BadHome{"statusOfAnotherKind", "{" GW R"(,"devices":[{"id":1,"serial":"a","name":"a","type":"P0VM","status":"ON"}]})", "devices[0].status"},
        BadHome{"idNotANumber", "{" GW R"(,"devices":[{"id":"x","serial":"a","name":"a","type":"P0R"}]})", "'id' must be a whole number"},
        BadHome{"actionOnUnknownDevice", "{" GW R"(,"favorites":[{"id":1,"name":"f","start":[{"serial":"zz","status":"ON"}]}]})", "favorites[0].start[0]"},
        BadHome{"actionStatusUnfit", "{" GW R"(,"devices":[{"id":1,"serial":"a","name":"a","type":"P0R"}],"scenarios":[{"id":1,"name":"s","category":"LIGHTING","actions":[{"serial":"a","status":"OPEN"}]}]})", "scenarios[0].actions[0]"},
        BadHome{"badMode", "{" GW R"(,"modes":{"DOMESTIC":"PRESENCE"}})", "modes.DOMESTIC"},
        BadHome{"recordingOfALight", "{" GW R"(,"devices":[{"id":1,"serial":"a","name":"a","type":"P0R"}],"recordings":[{"camera":"a"}]})", "recordings[0].camera"},
        BadHome{"hugeHistory", "{" GW R"(,"history":{"generate":100000}})", "history.generate"}),
    [](const auto& info) { return std::string(info.param.name); });
#undef GW

TEST(HomeModel, ToggleFlipsEachFamilyItsOwnWay) {
  Home home = demo();
  ASSERT_FALSE(home.setDeviceStatus("OPN-VOLET-CHAMBRE", "TOGGLE", kNow));
  EXPECT_EQ(home.device("OPN-VOLET-CHAMBRE")->status, "OPEN");
  ASSERT_FALSE(home.setDeviceStatus("LGT-CUISINE", "TOGGLE", kNow));
  EXPECT_EQ(home.device("LGT-CUISINE")->status, "ON");
  ASSERT_FALSE(home.setDeviceStatus("OPN-GARAGE", "TOGGLE", kNow));
  EXPECT_EQ(home.device("OPN-GARAGE")->status, "ON");
  home.settle(kNow + kPulseMs);
  EXPECT_EQ(home.device("OPN-GARAGE")->status, "OFF");
  EXPECT_EQ(home.setDeviceStatus("HTG-VMC", "TOGGLE", kNow)->status, 400) << "a speed has no opposite";
}

TEST(HomeModel, StoppingAFavoriteThatIsNotRunningLeavesNoTrace) {
  Home home = demo();
  const std::size_t events = home.history.size();
  ASSERT_FALSE(home.stopFavorite(2, kNow, Actor{}));
  EXPECT_EQ(home.history.size(), events);
  ASSERT_FALSE(home.stopFavorite(1, kNow, Actor{}));  // running in the demo
  EXPECT_EQ(home.history.size(), events + 1);
  EXPECT_EQ(home.device("LGT-ENTREE")->status, "ON") << "its stop actions ran";
}

TEST(HomeModel, StartingAnotherFavoriteStopsTheRunningOneWithItsStopActions) {
  Home home = demo();
  ASSERT_FALSE(home.startFavorite(12, kNow, Actor{}));
  ASSERT_FALSE(home.startFavorite(3, kNow + 1000, Actor{}));
  EXPECT_FALSE(home.favorite(12)->running);
  EXPECT_EQ(home.device("OPN-VOLET-CHAMBRE")->status, "OPEN") << "the stop actions of 'Nuit'";
  EXPECT_EQ(home.modes.value("INTRUSION"), "OFF");
}

TEST(HomeModel, RecordingsUseCreditAndGetFreshIdentifiers) {
  Home home = demo();
  home.recordCredit = 1;
  Recording made;
  ASSERT_FALSE(home.startRecording("CAM-RUE", kNow, &made));
  EXPECT_EQ(made.id, 6);
  EXPECT_EQ(made.files.first().id, 6);
  EXPECT_EQ(home.recordings.front().id, 6) << "newest first";
  const auto refused = home.startRecording("CAM-RUE", kNow, &made);
  ASSERT_TRUE(refused);
  EXPECT_EQ(refused->status, 615);
  EXPECT_EQ(home.recordings.size(), 6u);
}

TEST(HomeModel, HistoryIsBoundedAndKeepsTheNewest) {
  Home home = demo();
  home.historyLimit = 70;
  for (int i = 0; i < 20; ++i) ASSERT_FALSE(home.setMode("DOMESTIC", i % 2 ? "ON" : "OFF", kNow + i, Actor{}));
  EXPECT_EQ(home.history.size(), 70u);
  EXPECT_EQ(home.history.front().dateMs, kNow + 19);
}

struct UsersCase {
  const char* name;
  const char* json;
  bool ok;
};
void PrintTo(const UsersCase& c, std::ostream* os) { *os << c.name; }
class UsersFile : public ::testing::TestWithParam<UsersCase> {};
TEST_P(UsersFile, IsCheckedWhenRead) {
  QString error;
  const auto users = Users::fromJson(parse(GetParam().json), "/tmp", &error);
  EXPECT_EQ(users.has_value(), GetParam().ok) << error.toStdString();
  if (!users) {
    EXPECT_FALSE(error.isEmpty());
  }
}
INSTANTIATE_TEST_SUITE_P(
    Files, UsersFile,
    ::testing::Values(UsersCase{"clear", R"({"users":[{"login":"a","password":"p"}]})", true},
                      UsersCase{"digest", R"({"users":[{"login":"a","passwordSha1":"89E495E7941CF9E40E6980D14A16BF023CCD4C91"}]})", true},
                      UsersCase{"shortDigest", R"({"users":[{"login":"a","passwordSha1":"89e4"}]})", false},
                      UsersCase{"noPassword", R"({"users":[{"login":"a"}]})", false},
                      UsersCase{"twice", R"({"users":[{"login":"a","password":"p"},{"login":"a","password":"q"}]})", false},
                      UsersCase{"nobody", R"({"users":[]})", false},
                      UsersCase{"notAList", R"({"users":{}})", false}),
    [](const auto& info) { return std::string(info.param.name); });

TEST(Users, AuthenticateComparesDigestsOfExactLogins) {
  QString error;
  const auto users = Users::loadFile(Users::builtInPath(), &error);
  ASSERT_TRUE(users) << error.toStdString();
  EXPECT_NE(users->authenticate("demo", sha1Hex("demo")), nullptr);
  EXPECT_NE(users->authenticate("demo", sha1Hex("demo").toUpper()), nullptr);
  EXPECT_EQ(users->authenticate("Demo", sha1Hex("demo")), nullptr);
  EXPECT_EQ(users->authenticate("demo", sha1Hex("demo ")), nullptr);
  EXPECT_EQ(users->authenticate("demo", "demo"), nullptr);
  EXPECT_EQ(users->find("vide")->homeFile, ":/simulator/empty-home.json");
}

TEST(Sessions, LapsedSessionsAreForgottenAndIdentifiersDiffer) {
  Sessions sessions(1000);
  const QString first = sessions.open("demo", "", kNow).id;
  const QString second = sessions.open("demo", "", kNow + 500).id;
  EXPECT_NE(first, second);
  EXPECT_EQ(first.size(), 32);
  EXPECT_NE(sessions.use(first, kNow + 1000), nullptr) << "exactly the time-to-live is still alive";
  sessions.open("anne", "", kNow + 2600);  // both earlier sessions lapsed by now
  EXPECT_EQ(sessions.count(), 1u);
  EXPECT_EQ(sessions.use(second, kNow + 2600), nullptr);
}

// Signing in again and again ends the user's oldest session, not anyone else's.
TEST(Sessions, AUserHoldsAtMostTheCapAndTheOldestEndsFirst) {
  Sessions sessions;
  const QString anne = sessions.open("anne", "", kNow).id;
  QStringList demo;
  for (std::size_t i = 0; i <= Sessions::kMaxPerUser; ++i) demo << sessions.open("demo", "", kNow + qint64(i)).id;
  EXPECT_EQ(sessions.count(), Sessions::kMaxPerUser + 1);
  EXPECT_EQ(sessions.use(demo.first(), kNow + 100), nullptr);
  EXPECT_NE(sessions.use(demo[1], kNow + 100), nullptr);
  EXPECT_NE(sessions.use(demo.last(), kNow + 100), nullptr);
  EXPECT_NE(sessions.use(anne, kNow + 100), nullptr);
}

}  // namespace
