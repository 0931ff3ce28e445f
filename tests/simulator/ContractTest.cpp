// The wire contract of the simulated service, driven over HTTP: each operation's path, method,
// body and answer, and its effect as the next read shows it.
#include "SimHarness.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>
#include <ostream>
#include <string>

using simtest::Reply;
using simtest::SimHarness;

namespace {

QJsonObject findBy(const QJsonArray& list, const char* key, const QJsonValue& value) {
  for (const QJsonValue& v : list)
    if (v.toObject().value(key) == value) return v.toObject();
  return {};
}

QByteArray body(const QJsonObject& o) { return QJsonDocument(o).toJson(QJsonDocument::Compact); }

class Contract : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(sim.signIn().isEmpty()); }
  QJsonObject device(const QString& serial) { return findBy(sim.call("GET", "/device").json.value("devices").toArray(), "serial", serial); }
  QJsonArray history() { return sim.call("GET", "/history").json.value("history").toArray(); }
  SimHarness sim;
};

// ---- Sign-in --------------------------------------------------------------------------------

struct SignInCase {
  const char* name;
  QByteArray body;
  int status;
};

void PrintTo(const SignInCase& c, std::ostream* os) { *os << c.name; }

class SignIn : public ::testing::TestWithParam<SignInCase> {};

TEST_P(SignIn, AnswersByCredentials) {
  SimHarness sim;
  const Reply r = sim.send("POST", "/auth", GetParam().body);
  EXPECT_EQ(r.status, GetParam().status) << r.body.constData();
  if (r.status == 200) {
    EXPECT_EQ(r.json.value("sessionId").toString().size(), 32);
    EXPECT_EQ(r.json.value("user").toObject().value("login").toString(), "demo");
    EXPECT_EQ(r.json.value("gateway").toObject().value("id").toString(), "GW0042A7");
    for (const char* member : {"id", "ref", "mail", "phone", "subId", "creation", "language", "firstConnection",
                               "lastConnection", "connectionStep"})
      EXPECT_TRUE(r.json.value("user").toObject().contains(member)) << member;
  } else {
    EXPECT_TRUE(r.json.value("error").isString()) << "errors carry a message";
  }
}

INSTANTIATE_TEST_SUITE_P(
    Credentials, SignIn,
    ::testing::Values(SignInCase{"demo", simtest::signInBody("demo", "demo"), 200},
                      SignInCase{"upperCaseDigest", simtest::signInBody("demo", "demo").replace("89e495e7941cf9e40e6980d14a16bf023ccd4c91", "89E495E7941CF9E40E6980D14A16BF023CCD4C91"), 200},
                      SignInCase{"wrongPassword", simtest::signInBody("demo", "Demo"), 401},
                      SignInCase{"unknownLogin", simtest::signInBody("nobody", "demo"), 401},
                      SignInCase{"loginIsExact", simtest::signInBody(" demo", "demo"), 401},
                      SignInCase{"clearPassword", R"({"login":"demo","password":"demo","ihm":"iphone"})", 400},
                      SignInCase{"missingIhm", R"({"login":"demo","password":"89e495e7941cf9e40e6980d14a16bf023ccd4c91"})", 400},
                      SignInCase{"notJson", "login=demo&password=demo", 400},
                      SignInCase{"emptyBody", "", 400}),
    [](const auto& info) { return std::string(info.param.name); });

// ---- Sessions -------------------------------------------------------------------------------

struct Operation {
  const char* method;
  const char* path;
  const char* body;
};

const Operation kSessionOperations[] = {
    {"GET", "/device", ""},
    {"PUT", "/device/status", R"({"status":"ON","serial":"LGT-CUISINE"})"},
    {"GET", "/device/exist/USB_WEATHER_VYR", ""},
    {"GET", "/gateway/mode", ""},
    {"PUT", "/gateway/INTRUSION/mode/", R"({"key":"mode","value":"ON"})"},
    {"GET", "/dashboard", ""},
    {"GET", "/favorite/light", ""},
    {"PUT", "/favorite/2/start", ""},
    {"PUT", "/favorite/2/stop", ""},
    {"GET", "/scenario/light", ""},
    {"PUT", "/scenario/9/status", R"({"key":"status","value":"ENABLED"})"},
    {"GET", "/history", ""},
    {"POST", "/weather/average", R"({"startDate":"1362265200000","endDate":"1362312000000"})"},
    {"PUT", "/weather/refresh/USB_WEATHER_VYR", ""},
    {"PUT", "/video/image/start/0", ""},
    {"GET", "/video/image/CAM-ENTREE", ""},
    {"PUT", "/video/image/stop", ""},
    {"PUT", "/device/camera/CAM-JARDIN/command", R"({"key":"command","value":"MVL"})"},
    {"PUT", "/video/start/CAM-ENTREE", ""},
    {"PUT", "/video/stop", ""},
    {"PUT", "/video/record/CAM-ENTREE", ""},
    {"GET", "/video/record", ""},
    {"GET", "/video/playback", ""},
};

TEST_F(Contract, EveryOperationRefusesAnUnknownOrEmptySessionWith403) {
  for (const Operation& op : kSessionOperations) {
    for (const char* session : {"NOTASESSION", ""}) {
      const Reply r = sim.send(op.method, QStringLiteral("%1;jsessionid=%2").arg(op.path, session), op.body);
      EXPECT_EQ(r.status, 403) << op.method << ' ' << op.path << " session '" << session << "'";
    }
  }
}

TEST_F(Contract, EveryOperationAnswersWithJsonForALiveSession) {
  for (const Operation& op : kSessionOperations) {
    const Reply r = sim.call(op.method, op.path, op.body);
    EXPECT_TRUE(r.status == 200 || (QByteArray(op.path) == "/video/image/CAM-ENTREE" && r.status == 404))
        << op.method << ' ' << op.path << " -> " << r.status << ' ' << r.body.constData();
    EXPECT_TRUE(r.header("Content-Type").startsWith("application/json")) << op.path;
    EXPECT_FALSE(QJsonDocument::fromJson(r.body).isNull()) << op.path;
  }
}

TEST_F(Contract, SessionLapsesAfterItsTimeToLiveUnlessUsed) {
  const qint64 ttl = sim.service().options().sessionTtlMs;
  sim.clock.advanceMs(ttl - 1000);
  EXPECT_EQ(sim.call("GET", "/device").status, 200) << "a use renews the session";
  sim.clock.advanceMs(ttl - 1000);
  EXPECT_EQ(sim.call("GET", "/device").status, 200);
  sim.clock.advanceMs(ttl + 1);
  EXPECT_EQ(sim.call("GET", "/device").status, 403);
  EXPECT_EQ(sim.call("GET", "/device").status, 403) << "a lapsed session does not come back";
  EXPECT_FALSE(sim.signIn().isEmpty());
  EXPECT_EQ(sim.call("GET", "/device").status, 200);
}

TEST_F(Contract, PathsOutsideTheServiceOrWithWrongMethodsAreRefused) {
  EXPECT_EQ(sim.call("GET", "/nothing").status, 404);
  EXPECT_EQ(sim.send("GET", "/device").status, 404) << "a path without session is no resource";
  const Reply wrongMethod = sim.call("DELETE", "/device");
  EXPECT_EQ(wrongMethod.status, 405);
  EXPECT_EQ(wrongMethod.header("Allow"), "GET");
  EXPECT_EQ(sim.send("GET", "/auth").status, 405);
}

// ---- Devices --------------------------------------------------------------------------------

TEST_F(Contract, DeviceListCarriesEveryMemberOfADevice) {
  const QJsonArray devices = sim.call("GET", "/device").json.value("devices").toArray();
  ASSERT_GE(devices.size(), 25);
  const QJsonObject salon = findBy(devices, "serial", "LGT-SALON");
  for (const char* member : {"id", "serial", "name", "status", "type", "graceTime", "batteryLevel", "alive", "newSensor", "record", "defaultCam"})
    EXPECT_TRUE(salon.contains(member)) << member;
  EXPECT_EQ(salon.value("type").toString(), "P0RD");
  QSet<QString> serials;
  for (const QJsonValue& d : devices) serials.insert(d.toObject().value("serial").toString());
  EXPECT_EQ(serials.size(), devices.size()) << "serials are unique";
}

struct CommandCase {
  const char* serial;
  const char* status;
  int httpStatus;
  const char* after;  // status read back ("" : unchanged)
};

void PrintTo(const CommandCase& c, std::ostream* os) { *os << c.serial << ' ' << c.status; }

class DeviceCommand : public ::testing::TestWithParam<CommandCase> {};

TEST_P(DeviceCommand, ChangesWhatTheListShows) {
  SimHarness sim;
  ASSERT_FALSE(sim.signIn().isEmpty());
  const CommandCase& c = GetParam();
  const QString before = findBy(sim.call("GET", "/device").json.value("devices").toArray(), "serial", c.serial).value("status").toString();
  const Reply r = sim.call("PUT", "/device/status", body(QJsonObject{{"status", c.status}, {"serial", c.serial}}));
  EXPECT_EQ(r.status, c.httpStatus) << r.body.constData();
  const QString now = findBy(sim.call("GET", "/device").json.value("devices").toArray(), "serial", c.serial).value("status").toString();
  EXPECT_EQ(now, *c.after ? QString(c.after) : before);
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, DeviceCommand,
    ::testing::Values(CommandCase{"LGT-CUISINE", "ON", 200, "ON"},
                      CommandCase{"LGT-SALON", "OFF", 200, "OFF"},
                      CommandCase{"LGT-SALON", "TOGGLE", 200, "OFF"},
                      CommandCase{"OPN-VOLET-CHAMBRE", "OPEN", 200, "OPEN"},
                      CommandCase{"OPN-VOLET-SALON", "TOGGLE", 200, "CLOSE"},
                      CommandCase{"OPN-VELUX", "ON", 200, "ON"},
                      CommandCase{"HTG-VMC", "HIGH_SPEED", 200, "HIGH_SPEED"},
                      CommandCase{"HTG-CHAUDIERE", "FORCED_ON", 200, "FORCED_ON"},
                      CommandCase{"HTG-THERMOSTAT", "FROSTGUARD", 200, "FROSTGUARD"},
                      CommandCase{"HTG-FIL-PILOTE", "OFF", 200, "OFF"},
                      CommandCase{"HTG-CLIM", "ON", 200, "ON"},
                      CommandCase{"LGT-CUISINE", "OPEN", 400, ""},
                      CommandCase{"OPN-VOLET-CHAMBRE", "ON", 400, ""},
                      CommandCase{"HTG-VMC", "OFF", 400, ""},
                      CommandCase{"CAM-ENTREE", "OFF", 400, ""},
                      CommandCase{"DET-GAZ", "OFF", 400, ""},
                      CommandCase{"LGT-CUISINE", "on", 400, ""},
                      CommandCase{"NO-SUCH-DEVICE", "ON", 404, ""}),
    [](const auto& info) {
      // "LGT-SALON" sent "TOGGLE" -> "LGT_SALON_TOGGLE"; no two rows send the same status to the same device.
      std::string name = std::string(info.param.serial) + "_" + info.param.status;
      std::replace(name.begin(), name.end(), '-', '_');
      return name;
    });

TEST_F(Contract, MalformedCommandBodiesAreRefused) {
  EXPECT_EQ(sim.call("PUT", "/device/status", R"({"status":"ON"})").status, 400);
  EXPECT_EQ(sim.call("PUT", "/device/status", R"({"status":1,"serial":"LGT-CUISINE"})").status, 400);
  EXPECT_EQ(sim.call("PUT", "/device/status", R"(["ON","LGT-CUISINE"])").status, 400);
  EXPECT_EQ(sim.call("PUT", "/device/status", R"({"status":"ON","serial":"LGT-CUISINE")").status, 400);
  EXPECT_EQ(sim.call("PUT", "/device/status").status, 400);
  EXPECT_EQ(device("LGT-CUISINE").value("status").toString(), "OFF") << "a refused command changes nothing";
}

TEST_F(Contract, PulseDevicesGoBackToOffByThemselves) {
  ASSERT_EQ(sim.call("PUT", "/device/status", R"({"status":"TOGGLE","serial":"OPN-PORTAIL"})").status, 200);
  EXPECT_EQ(device("OPN-PORTAIL").value("status").toString(), "ON");
  sim.clock.advanceMs(simhome::kPulseMs - 1);
  EXPECT_EQ(device("OPN-PORTAIL").value("status").toString(), "ON");
  sim.clock.advanceMs(1);
  EXPECT_EQ(device("OPN-PORTAIL").value("status").toString(), "OFF");
}

TEST_F(Contract, ExistenceCheckFindsAKindOrAnswers404) {
  const Reply station = sim.call("GET", "/device/exist/USB_WEATHER_VYR");
  EXPECT_EQ(station.status, 200);
  EXPECT_EQ(station.json.value("devices").toArray().size(), 1);
  EXPECT_EQ(sim.call("GET", "/device/exist/P0MKV").status, 200);
  EXPECT_EQ(sim.call("GET", "/device/exist/NO_SUCH_KIND").status, 404);
  EXPECT_EQ(sim.call("GET", "/device/exist/USB%20WEATHER").status, 404);
  ASSERT_FALSE(sim.signIn("vide", "vide").isEmpty());
  EXPECT_EQ(sim.call("GET", "/device/exist/USB_WEATHER_VYR").status, 404) << "the empty home has no station";
}

// ---- Modes ----------------------------------------------------------------------------------

TEST_F(Contract, ModeChangeShowsInTheListTheDashboardAndTheHistory) {
  const QJsonArray modes = sim.call("GET", "/gateway/mode").json.value("modeList").toArray();
  ASSERT_EQ(modes.size(), 3);
  EXPECT_EQ(modes[0].toObject().value("subCategory").toString(), "INTRUSION");
  ASSERT_EQ(sim.call("PUT", "/gateway/INTRUSION/mode/", R"({"key":"mode","value":"PRESENCE"})").status, 200);
  EXPECT_EQ(findBy(sim.call("GET", "/gateway/mode").json.value("modeList").toArray(), "subCategory", "INTRUSION").value("mode"), "PRESENCE");
  EXPECT_EQ(findBy(sim.call("GET", "/dashboard").json.value("modes").toArray(), "subCategory", "INTRUSION").value("mode"), "PRESENCE");
  const QJsonObject event = history().first().toObject();
  EXPECT_EQ(event.value("origin"), "6");
  EXPECT_EQ(event.value("reason"), "1");
  EXPECT_EQ(event.value("state"), "MPR");
  EXPECT_EQ(event.value("subCategory"), "INTRUSION");
  EXPECT_EQ(event.value("alert"), "0");
  EXPECT_EQ(event.value("name"), "demo");

  ASSERT_EQ(sim.call("PUT", "/gateway/ASSISTANCE/mode/", R"({"key":"mode","value":"ON"})").status, 200);
  EXPECT_EQ(history().first().toObject().value("state"), "MON");
}

TEST_F(Contract, ModeChangesOutsideTheVocabularyAreRefused) {
  const qsizetype before = history().size();
  EXPECT_EQ(sim.call("PUT", "/gateway/DOMESTIC/mode/", R"({"key":"mode","value":"PRESENCE"})").status, 400);
  EXPECT_EQ(sim.call("PUT", "/gateway/INTRUSION/mode/", R"({"key":"state","value":"ON"})").status, 400);
  EXPECT_EQ(sim.call("PUT", "/gateway/GARDEN/mode/", R"({"key":"mode","value":"ON"})").status, 404);
  EXPECT_EQ(sim.call("PUT", "/gateway/INTRUSION/mode", R"({"key":"mode","value":"ON"})").status, 404) << "the trailing / is part of the path";
  EXPECT_EQ(history().size(), before) << "a refused change leaves no event";
}

// ---- Dashboard, favorites, scenarios ---------------------------------------------------------

TEST_F(Contract, DashboardIsBuiltFromTheCurrentState) {
  const QJsonObject dash = sim.call("GET", "/dashboard").json;
  for (const char* list : {"cameras", "climatic", "lighting", "opening", "favorites", "modes", "scenarios"})
    EXPECT_TRUE(dash.value(list).isArray()) << list;
  EXPECT_EQ(dash.value("cameras").toArray().size(), 3);
  EXPECT_GE(dash.value("lighting").toArray().size(), 6);
  EXPECT_GE(dash.value("opening").toArray().size(), 5);
  EXPECT_GE(dash.value("climatic").toArray().size(), 5);
  EXPECT_TRUE(findBy(dash.value("lighting").toArray(), "serial", "OPN-PORTAIL").isEmpty());
  EXPECT_EQ(findBy(dash.value("lighting").toArray(), "serial", "LGT-SALON").keys(),
            QStringList({"id", "name", "serial", "status", "type"}));

  ASSERT_EQ(sim.call("PUT", "/device/status", R"({"status":"ON","serial":"LGT-GARAGE"})").status, 200);
  EXPECT_EQ(findBy(sim.call("GET", "/dashboard").json.value("lighting").toArray(), "serial", "LGT-GARAGE").value("status"), "ON");
}

TEST_F(Contract, FavoriteStartRunsItAloneAppliesItAndIsRecorded) {
  ASSERT_EQ(findBy(sim.call("GET", "/favorite/light").json.value("favorites").toArray(), "id", 1).value("status"), "1");
  const Reply start = sim.call("PUT", "/favorite/2/start");
  ASSERT_EQ(start.status, 200) << start.body.constData();
  const QJsonArray favorites = sim.call("GET", "/favorite/light").json.value("favorites").toArray();
  EXPECT_EQ(findBy(favorites, "id", 2).value("status"), "1");
  EXPECT_EQ(findBy(favorites, "id", 1).value("status"), "0") << "one favorite runs at a time";
  EXPECT_EQ(findBy(sim.call("GET", "/dashboard").json.value("favorites").toArray(), "id", 2).value("status"), "1");
  EXPECT_EQ(device("LGT-BUREAU").value("status"), "OFF");
  EXPECT_EQ(findBy(sim.call("GET", "/gateway/mode").json.value("modeList").toArray(), "subCategory", "INTRUSION").value("mode"), "ON");

  // Newest first: the mode the favorite set, then the favorite itself.
  const QJsonArray events = history();
  EXPECT_EQ(events[0].toObject().value("origin"), "4");
  EXPECT_EQ(events[0].toObject().value("reason"), "1");
  EXPECT_EQ(events[0].toObject().value("state"), "MON");
  const QJsonObject run = events[1].toObject();
  EXPECT_EQ(run.value("origin"), "4");
  EXPECT_EQ(run.value("reason"), "15");
  EXPECT_EQ(run.value("state"), "FP");
  EXPECT_EQ(run.value("triggerName"), "R");
  EXPECT_EQ(run.value("name"), "Départ au travail");

  ASSERT_EQ(sim.call("PUT", "/favorite/2/stop").status, 200);
  EXPECT_EQ(findBy(sim.call("GET", "/favorite/light").json.value("favorites").toArray(), "id", 2).value("status"), "0");
  EXPECT_EQ(history().first().toObject().value("state"), "FS");
}

TEST_F(Contract, FavoriteIdentifiersAreDecimalNumbers) {
  EXPECT_EQ(sim.call("PUT", "/favorite/012/start").status, 200) << "012 names favorite 12";
  EXPECT_EQ(findBy(sim.call("GET", "/favorite/light").json.value("favorites").toArray(), "id", 12).value("status"), "1");
  EXPECT_EQ(sim.call("PUT", "/favorite/99/start").status, 404);
  EXPECT_EQ(sim.call("PUT", "/favorite/abc/stop").status, 404);
  EXPECT_EQ(sim.call("PUT", "/favorite/-1/stop").status, 404);
}

TEST_F(Contract, ScenarioStatusStartsAndStopsIt) {
  ASSERT_EQ(sim.call("PUT", "/scenario/9/status", R"({"key":"status","value":"ENABLED"})").status, 200);
  EXPECT_EQ(findBy(sim.call("GET", "/scenario/light").json.value("scenarios").toArray(), "id", 9).value("status"), "ENABLED");
  EXPECT_EQ(device("OPN-VOLET-SALON").value("status"), "CLOSE");
  const QJsonObject event = history().first().toObject();
  EXPECT_EQ(event.value("origin"), "3");
  EXPECT_EQ(event.value("reason"), "15");
  EXPECT_EQ(event.value("name"), "Fermeture des volets");
  ASSERT_EQ(sim.call("PUT", "/scenario/9/status", R"({"key":"status","value":"DISABLED"})").status, 200);
  EXPECT_EQ(findBy(sim.call("GET", "/dashboard").json.value("scenarios").toArray(), "id", 9).value("status"), "DISABLED");

  EXPECT_EQ(sim.call("PUT", "/scenario/9/status", R"({"key":"status","value":"RUNNING"})").status, 400);
  EXPECT_EQ(sim.call("PUT", "/scenario/404/status", R"({"key":"status","value":"ENABLED"})").status, 404);
  // The scenario lists may send scenario commands through the device command.
  ASSERT_EQ(sim.call("PUT", "/device/status", R"({"status":"ENABLED","serial":"11"})").status, 200);
  EXPECT_EQ(findBy(sim.call("GET", "/scenario/light").json.value("scenarios").toArray(), "id", 11).value("status"), "ENABLED");
}

TEST_F(Contract, ScenarioListHoldsTheThreeCategories) {
  QSet<QString> categories;
  for (const QJsonValue& s : sim.call("GET", "/scenario/light").json.value("scenarios").toArray())
    categories.insert(s.toObject().value("category").toString());
  EXPECT_EQ(categories, QSet<QString>({"LIGHTING", "OPENINGS", "CLIMATIC"}));
}

// ---- History and weather ----------------------------------------------------------------------

TEST_F(Contract, HistoryIsNewestFirstWithEveryMember) {
  const QJsonArray events = history();
  ASSERT_GE(events.size(), 60);
  QDateTime previous;
  for (const QJsonValue& v : events) {
    const QJsonObject e = v.toObject();
    for (const char* member : {"name", "type", "state", "date", "origin", "reason", "alert", "triggerName", "category", "subCategory", "alerts"})
      ASSERT_TRUE(e.contains(member)) << member;
    const QDateTime date = QDateTime::fromString(e.value("date").toString(), "dd/MM/yyyy HH:mm:ss");
    ASSERT_TRUE(date.isValid()) << e.value("date").toString().toStdString();
    if (previous.isValid()) {
      EXPECT_LE(date, previous);
    }
    previous = date;
  }
}

TEST_F(Contract, WeatherAnswersThe45FiguresOfAPeriod) {
  const Reply r = sim.call("POST", "/weather/average", R"({"startDate":"1362265200000","endDate":"1362312000000"})");
  ASSERT_EQ(r.status, 200) << r.body.constData();
  EXPECT_EQ(r.json.size(), 45);
  EXPECT_EQ(r.json.value("date").toString(), "1362312000000");
  EXPECT_EQ(sim.call("POST", "/weather/average", R"({"startDate":1362265200000,"endDate":1362312000000})").json, r.json)
      << "numbers or texts, the same period gives the same figures";
  EXPECT_EQ(sim.call("POST", "/weather/average", R"({"startDate":"yesterday","endDate":"1362312000000"})").status, 400);
  EXPECT_EQ(sim.call("POST", "/weather/average", R"({"startDate":"1362312000000","endDate":"1362265200000"})").status, 400);
  EXPECT_EQ(sim.call("POST", "/weather/average", R"({"endDate":"1362312000000"})").status, 400);
  EXPECT_EQ(sim.call("PUT", "/weather/refresh/USB_WEATHER_VYR").status, 200);
  EXPECT_EQ(sim.call("PUT", "/weather/refresh/OTHER").status, 404);
  ASSERT_FALSE(sim.signIn("vide", "vide").isEmpty());
  EXPECT_EQ(sim.call("POST", "/weather/average", R"({"startDate":"1362265200000","endDate":"1362312000000"})").status, 404);
}

// Far dates are refused before any arithmetic: under the undefined-behaviour sanitizer a span
// that overflows aborts the program; without it, the period's loop would never end.
TEST_F(Contract, WeatherRefusesDatesOutsideTheStationsYears) {
  for (const char* body : {R"({"startDate":"-9223372036854775807","endDate":"1362312000000"})",
                           R"({"startDate":-1e300,"endDate":1362312000000})",
                           R"({"startDate":"1362265200000","endDate":"9223372036854775807"})",
                           R"({"startDate":1362265200000,"endDate":1e300})",
                           R"({"startDate":"-1","endDate":"1362312000000"})"}) {
    const Reply r = sim.call("POST", "/weather/average", body);
    EXPECT_EQ(r.status, 400) << body;
    EXPECT_TRUE(r.json.value("error").toString().contains("9999")) << r.body.constData();
  }
}

// ---- ETag ------------------------------------------------------------------------------------

TEST_F(Contract, ListReadsCarryAnETagAndAnswer304WhileUnchanged) {
  const Reply first = sim.call("GET", "/device");
  const QByteArray etag = first.header("ETag");
  ASSERT_FALSE(etag.isEmpty());
  EXPECT_EQ(sim.call("GET", "/device").header("ETag"), etag) << "same state, same tag";
  const Reply again = sim.call("GET", "/device", {}, {{"If-None-Match", etag}});
  EXPECT_EQ(again.status, 304);
  EXPECT_TRUE(again.body.isEmpty());
  EXPECT_EQ(again.header("ETag"), etag);
  EXPECT_EQ(sim.call("GET", "/device", {}, {{"If-None-Match", "\"other\", " + etag}}).status, 304);
  EXPECT_EQ(sim.call("GET", "/device", {}, {{"If-None-Match", "\"other\""}}).status, 200);

  ASSERT_EQ(sim.call("PUT", "/device/status", R"({"status":"ON","serial":"LGT-CUISINE"})").status, 200);
  const Reply changed = sim.call("GET", "/device", {}, {{"If-None-Match", etag}});
  EXPECT_EQ(changed.status, 200);
  EXPECT_NE(changed.header("ETag"), etag);
  EXPECT_TRUE(sim.call("PUT", "/device/status", R"({"status":"ON","serial":"LGT-CUISINE"})").header("ETag").isEmpty())
      << "commands carry no tag";
}

}  // namespace
