// The history: the code tables turned into lines, the rows' heights, the events left out, what a
// damaged event still shows, and the demo home's events against the simulated service.
#include "../support/ScreenHarness.h"

#include "backend/BESessionManager.h"
#include "backend/BackendReset.h"
#include "backend/records/HistoryRecords.h"
#include "foundation/Strings.h"
#include "screens/history/HistoryRows.h"
#include "screens/history/MyHistoryController.h"
#include "screens/history/MyHistoryTableView.h"
#include "support/TestNames.h"
#include "support/Wait.h"
#include "ui/Label.h"
#include "ui/ProgressHUD.h"

#include <QJsonArray>

namespace {

QString L(const char* key) { return foundation::localized(key); }
const QString kName = QStringLiteral("Salon");

// An expected line: "" nothing, "=" the event's name, "Key" the key's text, "Key+" the key's text
// and the name.
QString expected(const char* spec) {
  const QString s = QString::fromLatin1(spec);
  if (s.isEmpty()) return {};
  if (s == QLatin1String("=")) return kName;
  if (s.endsWith('+')) return L(s.chopped(1).toLatin1().constData()) + QLatin1Char(' ') + kName;
  return L(spec);
}

std::shared_ptr<VOHistory> event(const char* alert, const char* origin, const char* reason, const char* state = "",
                                 const char* trigger = "", const char* type = "", const char* subcategory = "") {
  auto e = std::make_shared<VOHistory>();
  e->alert = alert;
  e->origin = origin;
  e->reason = reason;
  e->state = state;
  e->trigger_name = trigger;
  e->type = type;
  e->subcategory = subcategory;
  e->name = kName.toStdString();
  e->date = "16/08/2013 06:22:59";
  return e;
}

void addDestinations(VOHistory& e, const std::vector<std::pair<const char*, const char*>>& destinations) {
  for (auto [type, dest] : destinations) {
    auto a = std::make_shared<VOHistoryAlert>();
    a->type = type;
    a->dest = dest;
    e.media.push_back(a);
  }
}

struct CodeCase {
  const char* what;
  const char *alert, *origin, *reason, *state, *trigger, *type, *subcategory;
  const char *title, *detail, *via;
};

class CodeTable : public ::testing::TestWithParam<CodeCase> {};

TEST_P(CodeTable, TurnsTheEventsCodesIntoItsLines) {
  const CodeCase& c = GetParam();
  const auto e = event(c.alert, c.origin, c.reason, c.state, c.trigger, c.type, c.subcategory);
  const history::RowTexts row = history::rowTexts(*e);
  EXPECT_EQ(row.title, expected(c.title));
  EXPECT_EQ(row.detail, expected(c.detail));
  EXPECT_EQ(row.via, expected(c.via));
}

INSTANTIATE_TEST_SUITE_P(
    NotSent, CodeTable,
    ::testing::Values(
        CodeCase{"alarm", "0", "0", "0", "", "", "P1DO", "", "TranslateOpenAlert", "TranslateAlertNotSend", "TranslateTriggerBy+"},
        CodeCase{"intrusion partial by remote", "0", "0", "1", "MPR", "", "", "INTRUSION", "TranslateChangeOfMode",
                 "TranslateModeIntrusionPartial", "TranslateByRemote+"},
        CodeCase{"help on by remote", "0", "0", "1", "MON", "", "", "ASSISTANCE", "TranslateChangeOfMode",
                 "TranslateModeHelpOn", "TranslateByRemote+"},
        CodeCase{"unnamed mode", "0", "0", "1", "MXX", "", "", "INTRUSION", "TranslateChangeOfMode", "", "TranslateByRemote+"},
        CodeCase{"information", "0", "1", "0", "", "", "P1W", "", "TranslateWaterAlert", "=", "TranslateOfInfoType"},
        CodeCase{"tamper", "0", "1", "16", "", "", "", "", "TranslateInfoTear", "=", ""},
        CodeCase{"sensor battery", "0", "1", "7", "", "", "", "", "TranslateLowSensorBatt", "=", ""},
        CodeCase{"sensor unreachable", "0", "1", "12", "", "", "", "", "TranslateUnreachableSensor", "=", ""},
        CodeCase{"sensor back", "0", "1", "13", "", "", "", "", "TranslateReachedSensor", "=", ""},
        CodeCase{"reconnected by GSM", "0", "1", "2", "", "", "", "", "TranslateReconnectYourStation", "TranslateByGsmLink", ""},
        CodeCase{"reconnected by broadband", "0", "1", "3", "", "", "", "", "TranslateReconnectYourStation",
                 "TranslateByBroadbandLink", ""},
        CodeCase{"power lost", "0", "1", "4", "", "", "", "", "TranslateLossOfPower", "TranslateOfYourStation", ""},
        CodeCase{"power up", "0", "1", "5", "", "", "", "", "TranslateStationPowerUp", "", ""},
        CodeCase{"box battery", "0", "1", "6", "", "", "", "", "TranslateStationLowBatt", "", ""},
        CodeCase{"box connected", "0", "1", "8", "", "", "", "", "TranslateConnectingStation", "", ""},
        CodeCase{"box disconnected", "0", "1", "9", "", "", "", "", "TranslateLogoutStation", "", ""},
        CodeCase{"live check from the web", "0", "2", "19", "", "", "", "", "TranslateDoubtLive", "TranslateViaWebApp", ""},
        CodeCase{"live check from a phone", "0", "2", "20", "", "", "", "", "TranslateDoubtLive", "TranslateViaMobileOrTab", ""},
        CodeCase{"domestic on by scenario", "0", "3", "1", "MON", "", "", "DOMESTIC", "TranslateChangeOfMode",
                 "TranslateModeDomesticOn", "TranslateViaScenario"},
        CodeCase{"scenario by sensor", "0", "3", "15", "", "", "", "", "TranslateTriggerScenario", "TranslateBySensor+", ""},
        CodeCase{"favorite from remote", "0", "4", "15", "FP", "L", "", "", "TranslateTriggerFavorite", "=", "TranslateFromRemote"},
        CodeCase{"favorite remotely", "0", "4", "15", "FP", "R", "", "", "TranslateTriggerFavorite", "=", "TranslateRemoted"},
        CodeCase{"favorite stopped", "0", "4", "15", "FS", "", "", "", "TranslateStopFavorite", "=", "TranslateRemoted"},
        CodeCase{"help off by favorite", "0", "4", "1", "MOFF", "", "", "ASSISTANCE", "TranslateChangeOfMode",
                 "TranslateModeHelpOff", "TranslateViaFavorite"},
        CodeCase{"intrusion on from the web", "0", "5", "1", "MON", "", "", "INTRUSION", "TranslateChangeOfMode",
                 "TranslateModeIntrusionOn", "TranslateViaWebApp"},
        CodeCase{"intrusion off from a phone", "0", "6", "1", "MOFF", "", "", "INTRUSION", "TranslateChangeOfMode",
                 "TranslateModeIntrusionOff", "TranslateViaMobileOrTab"},
        CodeCase{"domestic off by phone", "0", "7", "1", "MOFF", "", "", "DOMESTIC", "TranslateChangeOfMode",
                 "TranslateModeDomesticOff", "TranslateViaVocal"}),
    [](const auto& info) { return tbtest::testNameFrom(info.param.what); });

INSTANTIATE_TEST_SUITE_P(
    Sent, CodeTable,
    ::testing::Values(
        CodeCase{"alarm", "1", "0", "0", "", "", "P1S", "", "TranslateFireAlert", "TranslateTriggerBy+", ""},
        CodeCase{"help on", "1", "0", "1", "MON", "", "", "ASSISTANCE", "TranslateChangeOfMode", "TranslateModeHelpOn",
                 "TranslateByallControl+"},
        CodeCase{"help off", "1", "0", "1", "MOFF", "", "", "ASSISTANCE", "TranslateChangeOfMode", "TranslateModeHelpOff",
                 "TranslateByallControl+"},
        CodeCase{"inactivity", "1", "0", "18", "", "", "", "", "TranslateHelpSosAlert", "TranslateAlertNotSend",
                 "TranslateHomeInactivity"},
        CodeCase{"tamper", "1", "1", "16", "", "", "", "", "TranslateInfoTear", "=", ""},
        CodeCase{"sensor battery", "1", "1", "7", "", "", "", "", "TranslateLowSensorBatt", "=", ""},
        CodeCase{"sensor unreachable", "1", "1", "12", "", "", "", "", "TranslateUnreachableSensor", "=", ""},
        CodeCase{"sensor back", "1", "1", "13", "", "", "", "", "TranslateReachedSensor", "=", ""},
        CodeCase{"reconnected by GSM", "1", "1", "2", "", "", "", "", "TranslateReconnectYourStation", "TranslateByGsmLink", ""},
        CodeCase{"reconnected by broadband", "1", "1", "3", "", "", "", "", "TranslateReconnectYourStation",
                 "TranslateByBroadbandLink", ""},
        CodeCase{"power lost", "1", "1", "4", "", "", "", "", "TranslateLossOfPower", "TranslateOfYourStation", ""},
        CodeCase{"power up", "1", "1", "5", "", "", "", "", "TranslateStationPowerUp", "", ""},
        CodeCase{"box battery", "1", "1", "6", "", "", "", "", "TranslateStationLowBatt", "", ""},
        CodeCase{"box connected", "1", "1", "8", "", "", "", "", "TranslateConnectingStation", "", ""},
        CodeCase{"box disconnected", "1", "1", "9", "", "", "", "", "TranslateLogoutStation", "", ""}),
    [](const auto& info) { return tbtest::testNameFrom(info.param.what); });

// Codes outside the tables: the row still says what it can, never nothing.
INSTANTIATE_TEST_SUITE_P(
    Unknown, CodeTable,
    ::testing::Values(
        CodeCase{"combination in no table", "0", "0", "3", "", "", "", "", "TranslateOtherEvent", "=", ""},
        CodeCase{"sent information alarm", "1", "1", "0", "", "", "P1W", "", "TranslateOtherEvent", "=", ""},
        CodeCase{"alarm of an unknown type", "0", "0", "0", "", "", "P9Z", "", "TranslateOtherAlert", "TranslateAlertNotSend",
                 "TranslateTriggerBy+"},
        CodeCase{"no alert flag", "", "0", "0", "", "", "P1DO", "", "TranslateOtherEvent", "=", ""},
        CodeCase{"a favorite neither started nor stopped", "0", "4", "15", "FX", "L", "", "", "TranslateOtherEvent", "=", ""}),
    [](const auto& info) { return tbtest::testNameFrom(info.param.what); });

TEST(HistoryRowsTest, EveryAlarmTypeHasItsTitle) {
  const std::pair<const char*, const char*> types[] = {
      {"P1DO", "TranslateOpenAlert"},     {"P1DOG", "TranslateOpenAlert"},     {"P1DOF", "TranslateOpenAlert"},
      {"P1DMP", "TranslateMoveAlert"},    {"P1DMO", "TranslateMoveAlert"},     {"P1G", "TranslateGlassBreakageAlert"},
      {"P1GZ", "TranslateGasAlert"},      {"P1C", "TranslateMonoxideAlert"},   {"P1W", "TranslateWaterAlert"},
      {"P1EF", "TranslatePowerFailureAlert"}, {"P1S", "TranslateFireAlert"},   {"P1RS", "TranslateHelpSosAlert"},
      {"P1KR", "TranslateHelpSosAlert"},  {"P1TR", "TranslateHelpSosAlert"},   {"P1P", "TranslateHelpSosAlert"}};
  for (auto [type, key] : types) EXPECT_EQ(history::rowTexts(*event("1", "0", "0", "", "", type)).title, L(key)) << type;
  EXPECT_EQ(history::alertKeyOf("p1do"), nullptr);
}

TEST(HistoryRowsTest, TheDateShowsTheDayThenTheTimeAndWhatItCanOfAnIncompleteDate) {
  auto e = event("0", "1", "5");
  const std::pair<rest::Text, QString> dates[] = {
      {"16/08/2013 06:22:59", L("The") + " 16/08/2013\n" + L("At") + " 06:22:59"},
      {"  16/08/2013\t06:22:59 ", L("The") + " 16/08/2013\n" + L("At") + " 06:22:59"},
      {"16/08/2013", L("The") + " 16/08/2013"},
      {"", ""},
      {std::nullopt, ""}};
  for (const auto& [date, shown] : dates) {
    e->date = date;
    EXPECT_EQ(history::rowTexts(*e).date, shown) << date.value_or("(none)");
    EXPECT_EQ(history::rowTexts(*e).title, L("TranslateStationPowerUp"));
  }
}

TEST(HistoryRowsTest, ASentAlertListsItsDestinationsInOrderAndGrowsForEachFromTheSecond) {
  auto e = event("1", "0", "0", "", "", "P1DO");
  addDestinations(*e, {{"SMS", "+33 6 12"}, {"EMAIL", "a@b.fr"}, {"VOCAL", "+33 1 45"}});
  EXPECT_EQ(history::rowTexts(*e).destinations,
            (QStringList{L("SMS sent to") + " +33 6 12", L("Email sent to") + " a@b.fr", L("Called") + " +33 1 45"}));
  EXPECT_EQ(history::rowHeight(*e), 112);

  e->media.clear();
  addDestinations(*e, {{"FAX", "+33 1 46"}, {"PUSH", "phone"}});
  EXPECT_EQ(history::rowTexts(*e).destinations, (QStringList{L("Fax sent to") + " +33 1 46", L("TranslateAlertSentTo") + " phone"}));

  // Heights: 80, then 67 + 15 a line from two destinations on.
  for (auto [count, height] : {std::pair{0, 80}, {1, 80}, {2, 97}, {6, 157}, {7, 172}, {12, 172}}) {
    e->media.clear();
    for (int i = 0; i < count; ++i) addDestinations(*e, {{"SMS", "+33"}});
    EXPECT_EQ(history::rowHeight(*e), height) << count;
    EXPECT_EQ(history::rowTexts(*e).destinations.size(), std::min(count, 7)) << count;
  }
  // Past seven, six of them and how many more: the row never shows fewer than it counts.
  EXPECT_EQ(history::rowTexts(*e).destinations.last(), L("TranslateMoreDestinations").arg(6));

  auto notSent = event("0", "0", "0", "", "", "P1DO");
  addDestinations(*notSent, {{"SMS", "+33"}, {"SMS", "+34"}, {"SMS", "+35"}});
  EXPECT_TRUE(history::rowTexts(*notSent).destinations.isEmpty());
  EXPECT_EQ(history::rowHeight(*notSent), 80);
}

class HistoryListTest : public ::testing::Test {
 protected:
  void SetUp() override {
    backend::resetAllSingletons();
    host.resize(320, 366);
    list = new MyHistoryTableView(QRect(0, 0, 320, 366), &host);
    QObject::connect(list, &MyHistoryTableView::contentChanged, [this] { ++rebuilds; });
    host.show();
  }
  void TearDown() override { backend::resetAllSingletons(); }
  void store(std::vector<std::shared_ptr<VOHistory>> events) {
    // The list follows the store by itself.
    BESessionManager::getInstance().setHistories(std::move(events));
  }

  QWidget host;
  MyHistoryTableView* list = nullptr;
  int rebuilds = 0;
};

TEST_F(HistoryListTest, HiddenReasonsAreLeftOutAndTheOthersKeepTheirOrder) {
  std::vector<std::shared_ptr<VOHistory>> events;
  for (const char* reason : {"5", "17", "6", "10", "8", "11"}) events.push_back(event("0", "1", reason));
  store(events);
  ASSERT_EQ(list->histories().size(), 3u);
  EXPECT_EQ(*list->histories()[0]->reason, "5");
  EXPECT_EQ(*list->histories()[1]->reason, "6");
  EXPECT_EQ(*list->histories()[2]->reason, "8");
  EXPECT_EQ(list->contentHeight(), 240);
  EXPECT_EQ(history::listHeightForContentHeight(240), 355);
  EXPECT_EQ(rebuilds, 1);

  events.push_back(event("0", "1", "9"));
  events.push_back(event("0", "1", "2"));
  store(events);
  EXPECT_EQ(list->contentHeight(), 400);
  EXPECT_EQ(history::listHeightForContentHeight(400), 400);
  EXPECT_EQ(rebuilds, 2);
}

TEST_F(HistoryListTest, DamagedEventsShowWhatTheyCanAndNeverDropTheOthers) {
  auto noDate = event("1", "0", "0", "", "", "P1GZ");
  noDate->date.reset();
  addDestinations(*noDate, {{"SMS", "+33"}, {"EMAIL", "x@y.fr"}});
  noDate->media.push_back(nullptr);  // a hole in the list of destinations
  auto bare = std::make_shared<VOHistory>();  // no field at all
  auto dayOnly = event("0", "1", "4");
  dayOnly->date = "16/08/2013";
  store({noDate, nullptr, bare, dayOnly, event("0", "1", "5")});
  ASSERT_EQ(list->histories().size(), 4u);
  EXPECT_EQ(list->visibleCells().size(), 4);
  const auto texts = [&](int row) {
    QStringList shown;
    for (auto* label : list->cellForRowAtIndexPath({0, row})->findChildren<ui::Label*>())
      if (label->isVisibleTo(list) && !label->text().isEmpty()) shown << label->text();
    return shown;
  };
  EXPECT_TRUE(texts(0).contains(L("TranslateGasAlert")));
  EXPECT_TRUE(texts(1).contains(L("TranslateOtherEvent")));
  EXPECT_TRUE(texts(2).contains(L("The") + " 16/08/2013"));
  EXPECT_TRUE(texts(3).contains(L("TranslateStationPowerUp")));
}

TEST_F(HistoryListTest, AnEmptyHistorySaysSoInOneRow) {
  store({});
  EXPECT_EQ(list->tableViewNumberOfRowsInSection(list, 0), 1);
  QStringList shown;
  for (auto* label : list->findChildren<ui::Label*>())
    if (label->isVisibleTo(list) && !label->text().isEmpty()) shown << label->text();
  EXPECT_EQ(shown, QStringList{L("You do not have history.")});
}

// Against the simulated service.
using HistoryScreenTest = screentest::ScreenTest;

TEST_F(HistoryScreenTest, TheDemoHomesEventsAppearWithTheirAlertDestinations) {
  auto* screen = open<MyHistoryController>("MyHistoryController");
  ASSERT_NE(screen, nullptr);
  const QJsonArray served = simRead(QStringLiteral("/history")).value(QStringLiteral("history")).toArray();
  int shown = 0;
  QStringList destinations;
  for (const auto& v : served) {
    const QJsonObject o = v.toObject();
    const QString reason = o.value(QStringLiteral("reason")).toString();
    if (reason == "17" || reason == "10" || reason == "11") continue;
    ++shown;
    if (o.value(QStringLiteral("alert")).toString() == "1")
      for (const auto& a : o.value(QStringLiteral("alerts")).toArray()) destinations << a.toObject().value("dest").toString();
  }
  ASSERT_GT(shown, 60);
  MyHistoryTableView* list = screen->historyTableView();
  ASSERT_EQ(int(list->histories().size()), shown);
  EXPECT_EQ(list->contentSize().height(), history::listHeightForContentHeight(list->contentHeight()));

  // Scroll through: every sent destination is read out on its row.
  QSet<QString> read;
  for (int y = 0; y < list->contentSize().height(); y += list->height() / 2) {
    list->setContentOffset(QPointF(0, std::min(y, list->contentSize().height() - list->height())));
    for (auto* cell : list->visibleCells())
      for (auto* label : cell->findChildren<ui::Label*>())
        if (label->isVisibleTo(cell)) read << label->text();
  }
  ASSERT_FALSE(destinations.isEmpty());
  for (const QString& dest : destinations) {
    const bool found = std::any_of(read.begin(), read.end(), [&](const QString& t) { return t.endsWith(' ' + dest); });
    EXPECT_TRUE(found) << dest.toStdString();
  }
  EXPECT_LE(list->visibleCells().size(), 8) << "only the rows in view have cells";
}

TEST_F(HistoryScreenTest, ARefreshShowsWhatHappenedSinceWithoutTheOverlay) {
  auto* screen = open<MyHistoryController>("MyHistoryController");
  ASSERT_NE(screen, nullptr);
  const size_t before = screen->historyTableView()->histories().size();
  const QJsonArray favorites = simRead(QStringLiteral("/favorite/light")).value(QStringLiteral("favorites")).toArray();
  ASSERT_FALSE(favorites.isEmpty());
  const QString id = favorites.first().toObject().value(QStringLiteral("id")).toVariant().toString();
  ASSERT_EQ(sim->call("PUT", QStringLiteral("/favorite/%1/start").arg(id)).status / 100, 2);
  screen->refresh();
  EXPECT_FALSE(app->progressHUD()->isShowing());
  ASSERT_TRUE(waitIdle());
  EXPECT_GT(screen->historyTableView()->histories().size(), before);
}

TEST_F(HistoryScreenTest, AFailedFetchShowsTheEmptyRowAndTheAlert) {
  fail(QStringLiteral("/history"), QStringLiteral("GET"), 503);
  auto* screen = open<MyHistoryController>("MyHistoryController");
  ASSERT_NE(screen, nullptr);
  EXPECT_TRUE(screen->historyTableView()->histories().empty());
  EXPECT_EQ(screen->historyTableView()->visibleCells().size(), 1);
  EXPECT_EQ(alertCount(), 1);
}

}  // namespace
