// The REST set-up without a network: session paths, the password digest, the key paths answers
// are read at, the JSON members each record field comes from, the members each body carries,
// and the routes the services register.
#include "backend/BERestConfig.h"
#include "backend/BackendReset.h"
#include "backend/CertificatePins.h"
#include "backend/BEServiceCamera.h"
#include "backend/BEServiceDashboard.h"
#include "backend/BEServiceDevice.h"
#include "backend/BEServiceFavorite.h"
#include "backend/BEServiceMode.h"
#include "backend/BEServiceScenario.h"
#include "backend/BEServiceWeather.h"
#include "backend/BESessionManager.h"
#include "backend/records/HistoryRecords.h"
#include "backend/records/HomeRecords.h"
#include "backend/records/SendRecords.h"
#include "backend/records/VideoRecords.h"
#include "backend/records/WeatherRecords.h"
#include "json/Parser.h"
#include "rest/mapping/RestObjectManager.h"
#include "rest/mapping/RestObjectMapper.h"
#include "rest/mapping/RestObjectSerializer.h"
#include "rest/network/TlsTrust.h"
#include "rest/support/LoggableURL.h"
#include "foundation/Preferences.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <cctype>
#include <set>

namespace {

class RestConfigTest : public ::testing::Test {
 protected:
  void SetUp() override {
    reset();
    foundation::Configuration configuration;
    configuration.restServer = QStringLiteral("http://127.0.0.1:9");
    configuration.restType = QStringLiteral("tavrobox");
    configuration.restVersion = QStringLiteral("v1");
    BERestConfig::getInstance().initRestLayer(configuration);
  }
  void TearDown() override { reset(); }

  static void reset() { backend::resetAllSingletons(); }

  static void setSession(const char* session) {
    auto auth = std::make_shared<VOAuth>();
    auth->sessionId = session;
    BESessionManager::getInstance().setAuth(auth);
  }

  static rest::RestObjectManager& manager() { return *BERestConfig::getInstance().restManager(); }

  static rest::ObjectList mapAnswer(const std::string& answer) {
    auto doc = json::parse(answer);
    EXPECT_TRUE(doc.ok());
    auto result = rest::RestObjectMapper(doc->root(), manager().mappingProvider()).performMapping();
    EXPECT_TRUE(result.ok()) << (result.ok() ? "" : result.error().message);
    return result.ok() ? result->asCollection() : rest::ObjectList();
  }
};

TEST_F(RestConfigTest, BaseURLAndSessionPaths) {
  EXPECT_EQ(BERestConfig::getInstance().baseURL(), QStringLiteral("http://127.0.0.1:9/tavrobox/v1"));
  EXPECT_EQ(BERestConfig::getSessionPathFor("/device"), QStringLiteral("/device;jsessionid="));  // before sign-in
  setSession("8F6FD37F");
  EXPECT_EQ(BERestConfig::getSessionPathFor("/device"), QStringLiteral("/device;jsessionid=8F6FD37F"));
  EXPECT_EQ(BERestConfig::getSessionRouterPathFor("/favorite/:id/start"),
            QStringLiteral("/favorite/:id/start;jsessionid=:session"));
  // A session identifier cannot change the shape of the URL.
  setSession("a/b?c d");
  EXPECT_EQ(BERestConfig::getSessionPathFor("/history"), QStringLiteral("/history;jsessionid=a%2Fb%3Fc%20d"));
}

// The set-up hands the REST layer where our URLs carry the session: every ";jsessionid=" value is
// hidden in what is logged, and left out of what the cache keeps; the rest of the text stays as it was.
TEST_F(RestConfigTest, SessionIdentifiersAreMaskedOrLeftOut) {
  struct Case {
    QString text, masked, without;
  };
  const Case cases[] = {
      {"https://h/c/device;jsessionid=ABC", "https://h/c/device;jsessionid=<hidden>", "https://h/c/device"},
      {"https://h/c/mode/;JSESSIONID=a%2Fb?x=1#f", "https://h/c/mode/;JSESSIONID=<hidden>?x=1#f", "https://h/c/mode/?x=1#f"},
      {"Error transferring http://h/a;jsessionid=S1/b;v=2 - server replied: Not Found",
       "Error transferring http://h/a;jsessionid=<hidden>/b;v=2 - server replied: Not Found",
       "Error transferring http://h/a/b;v=2 - server replied: Not Found"},
      {"two: /a;jsessionid=X and /b;jsessionid=Y)", "two: /a;jsessionid=<hidden> and /b;jsessionid=<hidden>)",
       "two: /a and /b)"},
      {"/empty;jsessionid=", "/empty;jsessionid=", "/empty"},
      {"/no/session;v=1", "/no/session;v=1", "/no/session;v=1"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rest::maskSecrets(c.text), c.masked);
    EXPECT_EQ(rest::URLWithoutSecrets(c.text), c.without);
  }
  EXPECT_EQ(rest::loggableURL(QUrl("http://h/d;jsessionid=S%20T")), "http://h/d;jsessionid=<hidden>");
  EXPECT_EQ(rest::secretValues("/a;jsessionid=X/b;JSESSIONID=Y?q;jsessionid="), QStringList({"X", "Y"}));
}

// Plain http:// to another machine is said at every start; to this machine it is not.
TEST_F(RestConfigTest, PlainHttpToAnotherMachineIsAnnouncedAtEveryStart) {
  static QStringList logged;
  for (const char* server : {"http://cloud.example.net:8470", "http://127.0.0.1:9"}) {
    reset();
    logged.clear();
    const QtMessageHandler previous = qInstallMessageHandler([](QtMsgType, const QMessageLogContext&, const QString& text) {
      logged << text;
    });
    foundation::Configuration configuration;
    configuration.restServer = QString::fromLatin1(server);
    configuration.allowInsecureHttp = true;
    BERestConfig::getInstance().initRestLayer(configuration);
    qInstallMessageHandler(previous);
    const bool warned = logged.join('\n').contains("RestAllowInsecureHttp=true");
    EXPECT_EQ(warned, QByteArray(server).contains("example")) << server;
  }
}

TEST_F(RestConfigTest, PasswordDigest) {
  EXPECT_EQ(BERestConfig::stringToSha1("").value(), QStringLiteral("da39a3ee5e6b4b0d3255bfef95601890afd80709"));
  EXPECT_EQ(BERestConfig::stringToSha1("abc").value(), QStringLiteral("a9993e364706816aba3e25717850c26c9cd0d89d"));
  EXPECT_FALSE(BERestConfig::stringToSha1(QStringLiteral("mot de passé")).ok());
}

TEST_F(RestConfigTest, AnswerKeyPathsInRegistrationOrder) {
  const std::vector<std::pair<std::string, std::string>> expected = {
      {"", "VOAuth"},           {"list", "VOKeyValue"},          {"devices", "VODevice"},
      {"modeList", "VOMode"},   {"scenarios", "VOScenario"},     {"favorites", "VOFavorite"},
      {"history", "VOHistory"}, {"weather", "VOWeather"},        {"records", "VOVideoRec"},
      {"playback", "VOVideoPlayback"}, {"videoserver", "VOVideoServeur"}, {"dashboard", "VODashboard"},
  };
  std::vector<std::pair<std::string, std::string>> actual;
  for (const auto& [keyPath, mapping] : manager().mappingProvider().mappingsByKeyPath())
    actual.emplace_back(keyPath, mapping->objectClass()->name());
  EXPECT_EQ(actual, expected);
}

TEST_F(RestConfigTest, DeviceMembersAndTheSignInRecordBesideAList) {
  const auto objects =
      mapAnswer(R"({"sessionId": "X", "devices": [{"id": 12, "newSensor": true, "name": "Salon"}, {"id": 13}]})");
  std::vector<std::shared_ptr<VODevice>> devices;
  int auths = 0;
  for (const auto& o : objects) {
    if (o->isMemberOfClass(VODevice::staticClass())) devices.push_back(std::static_pointer_cast<VODevice>(o));
    if (o->isMemberOfClass(VOAuth::staticClass())) ++auths;
  }
  ASSERT_EQ(devices.size(), 2u);
  EXPECT_EQ(auths, 1);
  EXPECT_EQ(devices[0]->identifier, "12");
  EXPECT_EQ(devices[0]->isNewSensor, "true");
  EXPECT_EQ(devices[0]->name, "Salon");
  EXPECT_FALSE(devices[0]->serial.has_value());
  EXPECT_FALSE(devices[0]->defaultCam.has_value());
}

TEST_F(RestConfigTest, EveryWeatherMemberFillsItsSnakeCaseField) {
  // Each member carries its own name as value, so a field shows which member filled it.
  std::string answer = "{";
  std::vector<std::string> members;
  for (const rest::Field& f : VOWeather::staticClass().fields()) {
    std::string camel;
    bool upper = false;
    for (char c : f.name == "info_date" ? std::string("date") : f.name) {
      if (c == '_') { upper = true; continue; }
      camel += upper ? static_cast<char>(std::toupper(static_cast<unsigned char>(c))) : c;
      upper = false;
    }
    members.push_back(camel);
    answer += "\"" + camel + "\": \"" + camel + "\", ";
  }
  answer += R"("info_date": "ignored"})";
  ASSERT_EQ(members.size(), 45u);

  auto doc = json::parse(answer);
  auto result = rest::RestObjectMapper(doc->root(), BERestConfig::getInstance().weatherMapping()).performMapping();
  ASSERT_TRUE(result.ok());
  auto weather = std::dynamic_pointer_cast<VOWeather>(result->asObject());
  ASSERT_TRUE(weather);
  const auto& fields = VOWeather::staticClass().fields();
  for (std::size_t i = 0; i < fields.size(); ++i)
    EXPECT_EQ(*fields[i].text(*weather), members[i]) << fields[i].name;
  EXPECT_EQ(weather->info_date, "date");
}

TEST_F(RestConfigTest, HistoryAndRecordingMembers) {
  const auto objects = mapAnswer(R"({
    "history": [{"name": "Porte", "triggerName": "L", "subCategory": "INTRUSION",
                 "alerts": [{"type": "SMS", "dest": "+33600000000", "ack": 1}]}],
    "records": [{"id": 4, "sensorName": "Entrée", "files": [{"id": 9, "duration": 8, "name": "a.mp4"}]}]})");
  ASSERT_EQ(objects.size(), 2u);
  auto history = std::dynamic_pointer_cast<VOHistory>(objects[0]);
  auto rec = std::dynamic_pointer_cast<VOVideoRec>(objects[1]);
  ASSERT_TRUE(history && rec);
  EXPECT_EQ(history->trigger_name, "L");
  EXPECT_EQ(history->subcategory, "INTRUSION");
  ASSERT_EQ(history->media.size(), 1u);
  EXPECT_EQ(history->media[0]->dest, "+33600000000");
  EXPECT_EQ(history->media[0]->ack, "1");
  EXPECT_EQ(rec->identifier, "4");
  ASSERT_EQ(rec->files.size(), 1u);
  EXPECT_EQ(rec->files[0]->identifier, "9");
  EXPECT_EQ(rec->files[0]->duration, "8");
}

TEST_F(RestConfigTest, BodiesCarryTheListedMembersOnly) {
  auto status = std::make_shared<SODeviceStatus>();
  status->status = "ON", status->serial = "LGT-1", status->session = "S";
  auto weather = std::make_shared<SOWeather>();
  weather->startDate = "1", weather->endDate = "2", weather->period = "week", weather->session = "S";
  auto mode = std::make_shared<SOMode>();
  mode->key = "mode", mode->value = "ON", mode->subCategory = "DOMESTIC", mode->session = "S";
  auto scenario = std::make_shared<SOScenario>();
  scenario->key = "status", scenario->value = "ENABLED", scenario->id = "7", scenario->session = "S";
  auto filter = std::make_shared<SOScenarioFilter>();
  filter->category = "LIGHTING", filter->status = "ENABLED";
  auto pan = std::make_shared<SOCameraPanZoom>();
  pan->serial = "CAM", pan->key = "command", pan->value = "MVL", pan->session = "S";
  auto auth = std::make_shared<SOAuth>();
  auth->login = "demo", auth->password = "x", auth->ihm = "iphone";
  auto favorite = std::make_shared<SOFavoriteStart>();
  favorite->id = "12", favorite->session = "S";
  auto image = std::make_shared<SOImageStart>();
  image->serial = "CAM", image->session = "S";
  auto playback = std::make_shared<VOVideoPlayback>();
  playback->server = "s", playback->session = "S";

  const std::vector<std::pair<rest::ObjectPtr, std::set<std::string>>> cases = {
      {status, {"status", "serial"}},     {weather, {"startDate", "endDate"}}, {mode, {"key", "value"}},
      {scenario, {"key", "value"}},       {filter, {"category", "status"}},     {pan, {"key", "value"}},
      {auth, {"login", "password", "ihm"}}, {favorite, {}},                     {image, {}},
      {playback, {}},
  };
  for (const auto& [record, members] : cases) {
    const auto& cls = record->objectClass();
    auto mapping = manager().mappingProvider().serializationMappingForClass(cls);
    ASSERT_TRUE(mapping) << cls.name();
    const auto body = rest::serializeObject(*record, *mapping);
    if (members.empty()) {
      EXPECT_FALSE(body.has_value()) << cls.name() << " must go without a body";
      continue;
    }
    ASSERT_TRUE(body.has_value()) << cls.name();
    std::set<std::string> actual;
    for (const auto& [key, value] : body->members()) actual.insert(key);
    EXPECT_EQ(actual, members) << cls.name();
  }
}

TEST_F(RestConfigTest, ServicesRouteTheirRecordsAndMayBeCreatedAgain) {
  BEServiceDevice::getInstance();
  BEServiceMode::getInstance();
  BEServiceDashboard::getInstance();
  BEServiceFavorite::getInstance();
  BEServiceScenario::getInstance();
  BEServiceWeather::getInstance();
  BEServiceCamera::getInstance();
  // A service created again for the same manager keeps the routes instead of registering twice.
  BEServiceCamera::resetInstance();
  BEServiceCamera::getInstance();

  auto make = [](auto record, auto fill) {
    fill(*record);
    if constexpr (requires { record->session; }) record->session = "S 1";
    return rest::ObjectPtr(record);
  };
  struct Case {
    rest::ObjectPtr record;
    const char* verb;
    const char* path;
  };
  const Case cases[] = {
      {make(std::make_shared<SOAuth>(), [](auto&) {}), "POST", "/auth"},
      {make(std::make_shared<SODeviceStatus>(), [](auto&) {}), "PUT", "/device/status;jsessionid=S%201"},
      {make(std::make_shared<SOMode>(), [](auto& r) { r.subCategory = "INTRUSION"; }), "PUT",
       "/gateway/INTRUSION/mode/;jsessionid=S%201"},
      {make(std::make_shared<SODashboardEmpty>(), [](auto&) {}), "GET", "/dashboard;jsessionid=S%201"},
      {make(std::make_shared<SOFavoriteStart>(), [](auto& r) { r.id = "12"; }), "PUT",
       "/favorite/12/start;jsessionid=S%201"},
      {make(std::make_shared<SOFavoriteStop>(), [](auto& r) { r.id = "12"; }), "PUT",
       "/favorite/12/stop;jsessionid=S%201"},
      {make(std::make_shared<SOScenario>(), [](auto& r) { r.id = "7"; }), "PUT", "/scenario/7/status;jsessionid=S%201"},
      {make(std::make_shared<SOWeatherEmpty>(), [](auto& r) { r.serial = "USB_WEATHER_VYR"; }), "PUT",
       "/weather/refresh/USB_WEATHER_VYR;jsessionid=S%201"},
      {make(std::make_shared<SOWeather>(), [](auto&) {}), "POST", "/weather/average;jsessionid=S%201"},
      {make(std::make_shared<VOVideoPlayback>(), [](auto&) {}), "GET", "/video/playback;jsessionid=S%201"},
      {make(std::make_shared<SOImageStart>(), [](auto& r) { r.serial = "CAM 1"; }), "PUT",
       "/video/image/start/CAM%201;jsessionid=S%201"},
      {make(std::make_shared<SOImageStop>(), [](auto&) {}), "PUT", "/video/image/stop;jsessionid=S%201"},
      {make(std::make_shared<SOCameraPanZoom>(), [](auto& r) { r.serial = "CAM/2"; }), "PUT",
       "/device/camera/CAM%2F2/command;jsessionid=S%201"},
      {make(std::make_shared<SOVideoStart>(), [](auto& r) { r.serial = "C"; }), "PUT", "/video/start/C;jsessionid=S%201"},
      {make(std::make_shared<SOVideoStop>(), [](auto&) {}), "PUT", "/video/stop;jsessionid=S%201"},
      {make(std::make_shared<SORecordStart>(), [](auto& r) { r.serial = "C"; }), "PUT",
       "/video/record/C;jsessionid=S%201"},
  };
  for (const Case& c : cases) {
    auto path = manager().router().resourcePathForObjectVerb(*c.record, c.verb);
    ASSERT_TRUE(path.ok()) << c.record->objectClass().name();
    EXPECT_EQ(*path, c.path) << c.record->objectClass().name();
  }
}

TEST(CertificatePinsTest, StoredPinsReachTheRestLayerAtSetUpAndANewPinKeepsTheOthers) {
  QTemporaryDir folder;
  foundation::Preferences::setStandard(std::make_unique<foundation::Preferences>(folder.filePath("tavrobox.prefs")));
  const QByteArray a(32, '\xaa'), c(32, '\x0c');
  const QString stored = QStringLiteral("a.example:443=%1 unreadable b.example:1=12:34").arg(QString::fromLatin1(a.toHex()));
  foundation::Preferences::standard().setString(QString::fromLatin1(backend::kPinnedCertificatesPref), stored);
  backend::resetAllSingletons();
  BERestConfig::getInstance().initRestLayer(foundation::Configuration::builtInDefault());
  EXPECT_EQ(rest::pinnedCertificate("a.example:443"), a);
  EXPECT_TRUE(rest::pinnedCertificate("b.example:1").isEmpty());

  backend::CertificatePins::pin(QStringLiteral("[::1]:8470"), c);
  EXPECT_EQ(rest::pinnedCertificate("[::1]:8470"), c);
  const QHash<QString, QByteArray> expected{{"a.example:443", a}, {"[::1]:8470", c}};
  EXPECT_EQ(backend::CertificatePins::stored(), expected);

  backend::resetAllSingletons();
  rest::setPinnedCertificates({});
  foundation::Preferences::setStandard(nullptr);
}

}  // namespace
