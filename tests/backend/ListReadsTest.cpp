// The list reads of every service, one table: the GET they send, what lands in the session store,
// what stays there after a failure, and what an answer for a replaced session still causes.
#include "backend/BEStatusCodeManager.h"
#include "BackendTestSupport.h"

#include "backend/BEServiceCamera.h"
#include "backend/BEServiceDevice.h"
#include "backend/BEServiceFavorite.h"
#include "backend/BEServiceHistory.h"
#include "backend/BEServiceMode.h"
#include "backend/BEServiceScenario.h"
#include "backend/BESessionManager.h"

using namespace backendtest;
using simcore::HttpResponse;

namespace {

struct ListRead {
  const char* name;
  std::function<void()> start;
  QByteArray path;
  const char* key;      // the answer's key path
  const char* element;  // one element of the answer's array
  std::function<std::size_t()> storedCount;
  QStringList success;
  QStringList failure;  // for a 500 answer
};

auto& store() { return BESessionManager::getInstance(); }

const ListRead kReads[] = {
    {"devices", [] { BEServiceDevice::getInstance().getList(); }, "/device", "devices", R"({"id": 1, "serial": "A"})",
     [] { return store().devices().size(); }, {kSuccessDeviceGetList, kSuccessDeviceGetActuatorList},
     {kErrorDeviceGetList, kErrorDeviceGetActuatorList, kNotification5xxServerError}},
    {"actuators", [] { BEServiceDevice::getInstance().getActuatorList(); }, "/device", "devices", R"({"id": 1})",
     [] { return store().devices().size(); }, {kSuccessDeviceGetList, kSuccessDeviceGetActuatorList},
     {kErrorDeviceGetList, kErrorDeviceGetActuatorList, kNotification5xxServerError}},
    {"modes", [] { BEServiceMode::getInstance().getList(); }, "/gateway/mode", "modeList",
     R"({"mode": "ON", "subCategory": "DOMESTIC"})", [] { return store().modes().size(); }, {kSuccessModeGetList},
     {kErrorModeGetList, kNotification5xxServerError}},
    {"favorites", [] { BEServiceFavorite::getInstance().getList(); }, "/favorite/light", "favorites",
     R"({"id": 3, "name": "Soirée", "status": "1"})", [] { return store().favorites().size(); },
     {kSuccessFavoriteGetList}, {kErrorFavoriteGetList, kNotification5xxServerError}},
    {"scenarios", [] { BEServiceScenario::getInstance().getList(); }, "/scenario/light", "scenarios",
     R"({"id": 7, "category": "LIGHTING"})", [] { return store().scenarios().size(); }, {kSuccessScenarioGetList},
     {kErrorScenarioGetList, kNotification5xxServerError}},
    {"history", [] { BEServiceHistory::getInstance().getList(); }, "/history", "history",
     R"({"name": "Porte", "alerts": []})", [] { return store().histories().size(); }, {kSuccessHistoryGetList},
     {kErrorHistoryGetList, kNotification5xxServerError}},
    {"recordings", [] { BEServiceCamera::getInstance().getRecList(); }, "/video/record", "records",
     R"({"id": 4, "files": []})", [] { return store().recs().size(); }, {kSuccessCameraGetRecList},
     {kErrorCameraGetRecList, kNotification5xxServerError}},
};

// Test names and failure messages show the row's name, not its bytes.
void PrintTo(const ListRead& row, std::ostream* os) { *os << row.name; }

class ListReadsTest : public BackendTest, public ::testing::WithParamInterface<ListRead> {
 protected:
  QByteArray answer(int count, bool withSession = false) const {
    QByteArray list;
    for (int i = 0; i < count; ++i) list += (i ? "," : "") + QByteArray(GetParam().element);
    return "{" + QByteArray(withSession ? R"("sessionId": "Z", )" : "") + "\"" + GetParam().key + "\": [" + list + "]}";
  }
};

TEST_P(ListReadsTest, GetOnTheSessionPathStoresOnlyTheListedRecords) {
  const ListRead& read = GetParam();
  // A "sessionId" at the top level also maps to a sign-in record; it must not reach the list.
  EXPECT_EQ(answerWith(read.start, HttpResponse::json(200, answer(2, true))), read.success);
  EXPECT_EQ(read.storedCount(), 2u);

  const auto sent = request();
  EXPECT_EQ(sent.method, "GET");
  EXPECT_EQ(sent.path, wirePath(read.path + ";jsessionid=S1"));
  EXPECT_EQ(sent.header("Content-Length"), "0");
  EXPECT_TRUE(sent.body.isEmpty());
}

TEST_P(ListReadsTest, AnEmptyListReplacesTheStoredOne) {
  const ListRead& read = GetParam();
  answerWith(read.start, HttpResponse::json(200, answer(2)));
  ASSERT_EQ(read.storedCount(), 2u);
  EXPECT_EQ(answerWith(read.start, HttpResponse::json(200, answer(0))), read.success);
  EXPECT_EQ(read.storedCount(), 0u);
}

// A 200 whose list is missing or of another shape is no list: the read fails (no alert: the
// status is a success) and the stored list stays.
TEST_P(ListReadsTest, AMalformedAnswerIsAFailureAndKeepsTheStoredList) {
  const ListRead& read = GetParam();
  answerWith(read.start, HttpResponse::json(200, answer(2)));
  ASSERT_EQ(read.storedCount(), 2u);
  QStringList failure = read.failure;
  failure.removeLast();
  const QByteArray key = read.key;
  for (const QByteArray& body : {QByteArray(), "{\"" + key + "\": [[1], [2]]}", "[" + QByteArray(read.element) + "]",
                                 "{\"" + key + "\": " + QByteArray(read.element) + "}", QByteArray("{}")}) {
    SCOPED_TRACE(body.toStdString());
    EXPECT_EQ(answerWith(read.start, HttpResponse::json(200, body)), failure);
    EXPECT_EQ(read.storedCount(), 2u);
  }
}

TEST_P(ListReadsTest, AFailureKeepsTheStoredListAndRaisesTheStatusAlertAfterwards) {
  const ListRead& read = GetParam();
  answerWith(read.start, HttpResponse::json(200, answer(1)));
  ASSERT_EQ(read.storedCount(), 1u);
  EXPECT_EQ(answerWith(read.start, HttpResponse::json(500, R"({"error": "down"})")), read.failure);
  EXPECT_EQ(read.storedCount(), 1u);
  // Not JSON at all: the same failure path, read from the status (taken as a new fault: a read
  // keeps quiet while the fault it was told of lasts).
  BEStatusCodeManager::resetFailures();
  EXPECT_EQ(answerWith(read.start, HttpResponse::text(500, "down")), read.failure);
  EXPECT_EQ(read.storedCount(), 1u);
}

TEST_P(ListReadsTest, AnAnswerForAReplacedSessionEndsInTheErrorAndStoresNothing) {
  const ListRead& read = GetParam();
  server.script().enqueue(HttpResponse::json(200, answer(1)).withEffect(simcore::SocketEffect::hold()));
  server.script().enqueue(HttpResponse::json(500, "{}").withEffect(simcore::SocketEffect::hold()));
  read.start();
  read.start();
  ASSERT_TRUE(tbtest::waitUntil([&] { return server.server().heldCount() == 2; }));
  signIn("S2");  // a new sign-in between request and answer
  log.clear();
  server.server().releaseHeld();
  ASSERT_TRUE(waitForFinished(2));
  QStringList expected = read.failure;
  expected.removeLast();      // the success of the old session: its error, without an alert
  expected += read.failure;   // the failure: as always
  // The two answers may come in either order.
  QStringList heard = log.names();
  heard.sort();
  expected.sort();
  EXPECT_EQ(heard, expected);
  EXPECT_EQ(read.storedCount(), 0u);
}

INSTANTIATE_TEST_SUITE_P(Services, ListReadsTest, ::testing::ValuesIn(kReads),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
