// The object loader against a real HTTP server: answer classes, mapping results, delivery order,
// and the loader's behaviour when its delegate dies or the answer is hostile.
#include "TestRecords.h"

#include "rest/mapping/RestObjectManager.h"
#include "rest/network/RestResponse.h"
#include "rest/support/RestError.h"
#include "support/TestNames.h"
#include "support/Wait.h"
#include "support/server/TestServer.h"

#include <QProcess>

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

using namespace tbtest;
using rest::ObjectList;
using rest::RestObjectLoader;

namespace {

class RecordingDelegate : public rest::RestObjectLoaderDelegate {
 public:
  std::vector<std::string> calls;
  ObjectList objects;
  std::optional<foundation::Error> error;
  int statusCode = -1;

  void requestDidLoadResponse(rest::RestRequest*, rest::RestResponse*) override { calls.push_back("response"); }
  void objectLoaderDidLoadObjectDictionary(RestObjectLoader*, const rest::RestObjectMappingResult&) override {
    calls.push_back("dictionary");
  }
  void objectLoaderDidLoadObjects(RestObjectLoader* loader, const ObjectList& o) override {
    calls.push_back("objects");
    objects = o;
    statusCode = loader->response()->statusCode();
  }
  void objectLoaderDidLoadObject(RestObjectLoader*, const rest::ObjectPtr&) override { calls.push_back("object"); }
  void objectLoaderDidFailWithError(RestObjectLoader* loader, const foundation::Error& e) override {
    calls.push_back("fail");
    error = e;
    statusCode = loader->response() ? loader->response()->statusCode() : -1;
  }
  void objectLoaderDidFinishLoading(RestObjectLoader*) override { calls.push_back("finish"); }
  void requestDidCancelLoad(rest::RestRequest*) override { calls.push_back("cancel"); }
  bool done() const { return !calls.empty() && calls.back() == "finish"; }
};

simcore::HttpResponse json(int status, QByteArray body) { return simcore::HttpResponse::json(status, std::move(body)); }

class ObjectLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    manager = rest::RestObjectManager::objectManagerWithBaseURL(server.urlString("/tavrobox/v1"));
    manager->setSerializationMIMEType(QStringLiteral("application/json"));
    manager->setInferMappingsFromObjectTypes(true);
    for (const auto& [keyPath, mapping] : m.provider.mappingsByKeyPath()) manager->mappingProvider().setMappingForKeyPath(mapping, keyPath);
    auto body = rest::RestObjectMapping::serializationMapping();
    body->mapAttributes({"status", "serial"});
    manager->mappingProvider().setSerializationMappingForClass(body, TSend::staticClass());
    manager->router().routeClassToResourcePathForMethod(TSend::staticClass(), "/device/:serial/status;jsessionid=:session",
                                                        rest::RestRequestMethodPUT);
  }

  std::shared_ptr<TSend> command() {
    auto send = std::make_shared<TSend>();
    send->status = "ON";
    send->serial = "LAMP 1";
    send->session = "S-42";
    return send;
  }

  bool wait(const RecordingDelegate& d) { return tbtest::waitUntil([&] { return d.done(); }, 10000); }

  TestServer server;
  TestMappings m;
  rest::RestObjectManager* manager = nullptr;
};

}  // namespace

TEST_F(ObjectLoaderTest, PathLoadMapsEveryKeyPathInDeliveryOrder) {
  server.script().enqueue(json(200, R"({"sessionId": "abc", "devices": [{"serial": "1"}, {"serial": "2"}]})"));
  RecordingDelegate d;
  auto loader = manager->loadObjectsAtResourcePathDelegate("/device;jsessionid=abc", &d);
  ASSERT_TRUE(wait(d));
  EXPECT_EQ(d.calls, (std::vector<std::string>{"response", "dictionary", "objects", "object", "finish"}));
  EXPECT_EQ(d.objects.size(), 3u);
  EXPECT_TRUE(loader->wasSentToResourcePath("/device;jsessionid=abc"));
  ASSERT_EQ(server.requests().size(), 1);
  const auto request = server.requests().front();
  EXPECT_EQ(request.method, "GET");
  EXPECT_EQ(request.path, "/tavrobox/v1/device;jsessionid=abc");
  EXPECT_EQ(request.header("Content-Length"), "0");
  EXPECT_EQ(request.header("Accept"), "application/json");
}

TEST_F(ObjectLoaderTest, RecordSendGoesToItsRouteWithItsBody) {
  server.script().enqueue(json(200, "{}"));
  RecordingDelegate d;
  manager->putObjectDelegate(command(), &d);
  ASSERT_TRUE(wait(d));
  ASSERT_EQ(server.requests().size(), 1);
  const auto request = server.requests().front();
  EXPECT_EQ(request.method, "PUT");
  EXPECT_EQ(request.path, "/tavrobox/v1/device/LAMP%201/status;jsessionid=S-42");
  EXPECT_EQ(request.body, R"({"status":"ON","serial":"LAMP 1"})");
  EXPECT_EQ(request.header("Content-Type"), "application/json");
  EXPECT_EQ(request.header("Content-Length"), QByteArray::number(request.body.size()));
  EXPECT_EQ(d.calls.back(), "finish");
  EXPECT_TRUE(d.objects.empty());
}

TEST_F(ObjectLoaderTest, EmptyBodiesGiveTheSentRecordOrNothing) {
  server.script().enqueue(json(200, ""));
  server.script().enqueue(json(200, "  \n"));
  RecordingDelegate path, record;
  manager->loadObjectsAtResourcePathDelegate("/device", &path);
  // A serialization mapping without attributes: nothing to write, so no body at all.
  manager->mappingProvider().setSerializationMappingForClass(rest::RestObjectMapping::serializationMapping(),
                                                             TSend::staticClass());
  auto send = command();
  manager->putObjectDelegate(send, &record);
  ASSERT_TRUE(wait(path));
  ASSERT_TRUE(wait(record));
  EXPECT_TRUE(path.objects.empty());
  EXPECT_FALSE(path.error);
  ASSERT_EQ(record.objects.size(), 1u);
  EXPECT_EQ(record.objects[0], send);
  ASSERT_EQ(server.requests().size(), 2);
  const auto put = server.requests()[1];
  EXPECT_TRUE(put.body.isEmpty());
  EXPECT_EQ(put.header("Content-Length"), "0");
  EXPECT_FALSE(put.hasHeader("Content-Type"));
}

struct StatusCase {
  const char* name;
  int status;
  const char* contentType;
  QByteArray body;
  bool succeeds;
  int errorCode;
  const char* errorText;
};

// ctest lists a row by what it prints (its name), not by the bytes of the row.
void PrintTo(const StatusCase& c, std::ostream* os) { *os << tbtest::testNameFrom(c.name); }

class ObjectLoaderStatusTest : public ObjectLoaderTest, public ::testing::WithParamInterface<StatusCase> {};

TEST_P(ObjectLoaderStatusTest, AnswerClasses) {
  const StatusCase& c = GetParam();
  simcore::HttpResponse answer;
  answer.status = c.status;
  answer.body = c.body;
  if (*c.contentType) answer.headers.append(qMakePair(QByteArray("Content-Type"), QByteArray(c.contentType)));
  server.script().enqueue(answer);
  RecordingDelegate d;
  manager->loadObjectsAtResourcePathDelegate("/device", &d);
  ASSERT_TRUE(wait(d)) << c.name;
  EXPECT_EQ(d.statusCode, c.status) << c.name;
  if (c.succeeds) {
    EXPECT_FALSE(d.error) << c.name << ": " << d.error->message;
  } else {
    ASSERT_TRUE(d.error) << c.name;
    EXPECT_EQ(d.error->code, c.errorCode) << c.name;
    if (*c.errorText) {
      EXPECT_EQ(d.error->message, c.errorText) << c.name;
    }
  }
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, ObjectLoaderStatusTest,
    ::testing::Values(
        StatusCase{"plain text 200", 200, "text/plain", "OK", false, rest::kRestUnexpectedResponse, ""},
        StatusCase{"empty 200 without type", 200, "", "", false, rest::kRestUnexpectedResponse, ""},
        StatusCase{"401 expired", 401, "application/json", R"({"error":"expired"})", false, rest::kRestRemoteSystemError, "expired"},
        StatusCase{"500 errors list", 500, "application/json; charset=utf-8", R"({"errors":["a","b"]})", false,
                   rest::kRestRemoteSystemError, "a, b"},
        StatusCase{"404 without error member", 404, "application/json", R"({"x":1})", false, rest::kRestObjectMappingNoMatch, ""},
        StatusCase{"600 with JSON", 600, "application/json", R"({"devices":[]})", true, 0, ""},
        StatusCase{"620 without JSON", 620, "text/html", "<p>privacy</p>", false, rest::kRestUnexpectedResponse, ""},
        StatusCase{"200 broken JSON", 200, "application/json", R"({"devices": [)", false, 2, ""},
        StatusCase{"200 bare number", 200, "application/json", "42", false, 3, ""},
        StatusCase{"200 nothing mappable", 200, "application/json", R"({"foo": 1})", false, rest::kRestObjectMappingNoMatch,
                   "Could not find an object mapping for keyPath: ''"}));

TEST_F(ObjectLoaderTest, HostileAnswersEndInOneFailureNeverACrash) {
  QByteArray deep(100000, '[');
  QByteArray wrongTypes = R"({"devices": [1, "x", null, [], {"serial": {"a": [1]}, "name": [true]}], "sessionId": {"x": 1}})";
  QByteArray huge = "{\"devices\": [";
  while (huge.size() < 30 * 1024 * 1024) huge += R"({"serial": "0123456789", "name": "Lampe", "status": 18446744073709551616},)";
  huge += R"({"serial": 1e400}]})";  // one number beyond a double at the very end
  for (const QByteArray& body : {deep, wrongTypes, huge}) {
    server.script().enqueue(json(200, body));
    RecordingDelegate d;
    manager->loadObjectsAtResourcePathDelegate("/device", &d);
    ASSERT_TRUE(tbtest::waitUntil([&] { return d.done(); }, 60000));
    EXPECT_EQ(std::count(d.calls.begin(), d.calls.end(), "finish"), 1);
    if (body == wrongTypes) {
      EXPECT_FALSE(d.error);  // what can be read is read; the rest is dropped with warnings
    } else {
      EXPECT_TRUE(d.error);
    }
  }
}

TEST_F(ObjectLoaderTest, DelegateDestroyedWhileTheAnswerIsMappedHearsNothing) {
  QByteArray big = "{\"devices\": [";
  for (int i = 0; i < 20000; ++i) big += "{\"serial\": \"" + QByteArray::number(i) + "\"},";
  big += "{}]}";
  server.script().enqueue(json(200, big));
  server.script().enqueue(json(200, R"({"devices": []})"));
  auto doomed = std::make_unique<RecordingDelegate>();
  auto loader = manager->loadObjectsAtResourcePathDelegate("/device", doomed.get());
  // Destroy the delegate as soon as the response arrived, i.e. while mapping runs.
  ASSERT_TRUE(tbtest::waitUntil([&] { return loader->isLoaded(); }, 10000));
  doomed.reset();
  // The queue moves on: a second request completes normally.
  RecordingDelegate next;
  manager->loadObjectsAtResourcePathDelegate("/device", &next);
  ASSERT_TRUE(wait(next));
  EXPECT_EQ(loader->delegate(), nullptr);
}

TEST_F(ObjectLoaderTest, CancelledLoaderDeliversNothingAndTheQueueMovesOn) {
  server.script().enqueue(json(200, R"({"devices": [{"serial": "1"}]})").withEffect(simcore::SocketEffect::delay(300)));
  server.script().enqueue(json(200, R"({"devices": []})"));
  RecordingDelegate cancelled, next;
  auto loader = manager->loadObjectsAtResourcePathDelegate("/device", &cancelled);
  ASSERT_TRUE(tbtest::waitUntil([&] { return loader->isLoading(); }, 10000));
  manager->cancelRequestsWithDelegate(&cancelled);
  manager->loadObjectsAtResourcePathDelegate("/device", &next);
  ASSERT_TRUE(wait(next));
  tbtest::processEventsFor(400);
  EXPECT_TRUE(std::find(cancelled.calls.begin(), cancelled.calls.end(), "objects") == cancelled.calls.end());
  EXPECT_TRUE(std::find(cancelled.calls.begin(), cancelled.calls.end(), "fail") == cancelled.calls.end());
}

// cancel() while the answer is being mapped: the delegate hears the cancellation and nothing of
// the answer, and the queue moves on at once.
TEST_F(ObjectLoaderTest, CancelWhileMappingStopsTheDelivery) {
  QByteArray big = "{\"devices\": [";
  for (int i = 0; i < 40000; ++i) big += "{\"serial\": \"" + QByteArray::number(i) + "\"},";
  big += "{}]}";
  server.script().enqueue(json(200, big));
  server.script().enqueue(json(200, R"({"devices": []})"));
  RecordingDelegate cancelled, next;
  auto loader = manager->loadObjectsAtResourcePathDelegate("/device", &cancelled);
  ASSERT_TRUE(tbtest::waitUntil([&] { return loader->isLoaded(); }, 10000));
  ASSERT_TRUE(loader->isDelivering());
  loader->cancel();
  EXPECT_FALSE(manager->client()->requestQueue()->containsRequest(loader.get()));
  manager->loadObjectsAtResourcePathDelegate("/device", &next);
  ASSERT_TRUE(wait(next));
  rest::RestObjectLoader::waitForMappings();
  tbtest::processEventsFor(100);
  EXPECT_EQ(cancelled.calls, (std::vector<std::string>{"response", "cancel"}));
  EXPECT_FALSE(loader->isDelivering());
}

// The application quits while a large answer is being mapped: the process ends.
TEST(ObjectLoaderExit, QuittingWhileAnAnswerIsMappedEndsTheProcess) {
  QProcess program;
  program.start(QStringLiteral(TB_QUIT_WHILE_MAPPING_PATH), {});
  ASSERT_TRUE(program.waitForStarted(10000));
  const bool ended = program.waitForFinished(60000);
  if (!ended) {
    program.kill();
    program.waitForFinished(5000);
  }
  ASSERT_TRUE(ended) << "still running a minute after it quit";
  EXPECT_EQ(program.exitStatus(), QProcess::NormalExit);
  EXPECT_EQ(program.exitCode(), 0) << program.readAllStandardError().toStdString();
}

TEST_F(ObjectLoaderTest, MissingRouteValueFailsWithoutSending) {
  RecordingDelegate d;
  auto send = command();
  send->session.reset();
  manager->putObjectDelegate(send, &d);
  ASSERT_TRUE(wait(d));
  ASSERT_TRUE(d.error);
  EXPECT_EQ(d.error->code, rest::kRestObjectMappingInvalidPath);
  EXPECT_EQ(server.requestCount(), 0);
}

TEST_F(ObjectLoaderTest, ExplicitMappingCreatesNewRecordsForAnotherClass) {
  server.script().enqueue(json(200, R"({"sessionId": "new", "gateway": {"id": 5}})"));
  manager->router().routeClassToResourcePathForMethod(TSend::staticClass(), "/auth", rest::RestRequestMethodPOST);
  RecordingDelegate d;
  auto send = command();
  manager->postObjectMapResponseWithDelegate(send, m.auth, &d);
  ASSERT_TRUE(wait(d));
  EXPECT_EQ(server.requests().front().path, "/tavrobox/v1/auth");
  ASSERT_EQ(d.objects.size(), 1u);
  auto auth = std::dynamic_pointer_cast<TAuth>(d.objects[0]);
  ASSERT_TRUE(auth);
  EXPECT_EQ(auth->sessionId, "new");
}
