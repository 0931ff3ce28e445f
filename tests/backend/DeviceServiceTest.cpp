#include "BackendTestSupport.h"

#include "backend/BEServiceDevice.h"
#include "backend/BEServiceFavorite.h"
#include "backend/BEServiceMode.h"
#include "backend/BESessionManager.h"

using namespace backendtest;
using simcore::HttpResponse;

namespace {

using DeviceServiceTest = BackendTest;

TEST_F(DeviceServiceTest, ExistenceCheckReadsTheStatusOfItsAnswer) {
  const auto check = [] { BEServiceDevice::getInstance().getDeviceExist("USB_WEATHER_VYR"); };
  const std::pair<HttpResponse, QStringList> cases[] = {
      {HttpResponse::json(200, "{}"), {kSuccessDeviceGetExist}},
      {HttpResponse::json(200, R"({"exists": true})"), {kSuccessDeviceGetExist}},  // nothing mappable, still "yes"
      {HttpResponse::text(200, "yes"), {kSuccessDeviceGetExist}},
      {HttpResponse::json(404, "{}"), {kErrorDeviceGetExist}},                    // the ordinary "no": no alert
      {HttpResponse::text(500, "down"), {kErrorDeviceGetExist, kNotification5xxServerError}},
      {HttpResponse::text(403, "expired"), {kErrorDeviceGetExist, kNotification403Forbidden}},
  };
  for (const auto& [answer, expected] : cases)
    EXPECT_EQ(answerWith(check, answer), expected) << answer.status << " " << answer.body.toStdString();

  const auto sent = request();
  EXPECT_EQ(sent.method, "GET");
  EXPECT_EQ(sent.path, wirePath("/device/exist/USB_WEATHER_VYR;jsessionid=S1"));
}

TEST_F(DeviceServiceTest, AKindIsOnePathSegment) {
  answerWith([] { BEServiceDevice::getInstance().getDeviceExist("a b/c?d"); }, HttpResponse::json(404, "{}"));
  EXPECT_EQ(request().path, wirePath("/device/exist/a%20b%2Fc%3Fd;jsessionid=S1"));
}

TEST_F(DeviceServiceTest, AnswersForAReplacedSessionStillEndTheirOperation) {
  // A command reached the box whatever session it went under: its outcome is announced. A list
  // read for the old session ends in its error, without an alert, and leaves the store alone.
  struct Case {
    std::function<void()> start;
    simcore::HttpResponse answer;
    QStringList expected;
  };
  const Case cases[] = {
      {[] { BEServiceDevice::getInstance().putStatusWithId("ON", "A"); }, HttpResponse::json(200, ""),
       {kSuccessDevicePutStatus}},
      {[] { BEServiceDevice::getInstance().putStatusWithId("ON", "A"); }, HttpResponse::json(500, ""),
       {kErrorDevicePutStatus, kNotification5xxServerError}},
      {[] { BEServiceMode::getInstance().putModeForSubCategory("ON", "DOMESTIC"); }, HttpResponse::json(200, ""),
       {kSuccessModePutMode}},
      {[] { BEServiceFavorite::getInstance().putStopWithId("3"); }, HttpResponse::json(500, ""),
       {kErrorFavoritePutStop, kNotification5xxServerError}},
      {[] { BEServiceDevice::getInstance().getList(); },
       HttpResponse::json(200, R"({"devices": [{"serial": "OLD", "type": "P0RD", "status": "ON"}]})"),
       {kErrorDeviceGetList, kErrorDeviceGetActuatorList}},
  };
  int finished = 0;
  for (const Case& c : cases) {
    signIn("S1");
    server.script().enqueue(simcore::HttpResponse(c.answer).withEffect(simcore::SocketEffect::hold()));
    c.start();
    ASSERT_TRUE(tbtest::waitUntil([&] { return server.server().heldCount() == 1; }));
    signIn("S2");
    log.clear();
    server.server().releaseHeld();
    ASSERT_TRUE(waitForFinished(++finished));
    EXPECT_EQ(log.names(), c.expected);
  }
  EXPECT_TRUE(BESessionManager::getInstance().devices().empty()) << "a list of the old session was stored";
}

TEST_F(DeviceServiceTest, ACommandBuiltAfterANewSignInCarriesTheNewSession) {
  signIn("S2");
  answerWith([] { BEServiceDevice::getInstance().putStatusWithId("OFF", "A"); }, HttpResponse::json(200, ""));
  EXPECT_EQ(request().path, wirePath("/device/status;jsessionid=S2"));
}

}  // namespace
