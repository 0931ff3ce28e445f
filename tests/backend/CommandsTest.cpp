// The commands of every service, one table: the exact request (method, path, body members and
// nothing else, "Content-Length" "0" without a body) and the notifications of success and failure.
#include "BackendTestSupport.h"

#include "backend/BEServiceCamera.h"
#include "backend/BEServiceDevice.h"
#include "backend/BEServiceFavorite.h"
#include "backend/BEServiceMode.h"
#include "backend/BEServiceScenario.h"
#include "backend/BEServiceWeather.h"
#include "backend/BESessionManager.h"

#include <QJsonObject>

using namespace backendtest;
using simcore::HttpResponse;

namespace {

struct Command {
  const char* name;
  std::function<void()> start;
  QByteArray path;   // below the base path, session included
  QJsonObject body;  // empty: no body at all
  const char* success;
  const char* failure;
};

auto& camera() { return BEServiceCamera::getInstance(); }

const Command kCommands[] = {
    {"deviceStatus", [] { BEServiceDevice::getInstance().putStatusWithId("ON", "LGT SALON"); },
     "/device/status;jsessionid=S1", {{"status", "ON"}, {"serial", "LGT SALON"}}, kSuccessDevicePutStatus,
     kErrorDevicePutStatus},
    {"mode", [] { BEServiceMode::getInstance().putModeForSubCategory("PRESENCE", "INTRUSION"); },
     "/gateway/INTRUSION/mode/;jsessionid=S1", {{"key", "mode"}, {"value", "PRESENCE"}}, kSuccessModePutMode,
     kErrorModePutMode},
    {"modeAssistance", [] { BEServiceMode::getInstance().putModeForSubCategory("OFF", "ASSISTANCE"); },
     "/gateway/ASSISTANCE/mode/;jsessionid=S1", {{"key", "mode"}, {"value", "OFF"}}, kSuccessModePutMode,
     kErrorModePutMode},
    {"favoriteStart", [] { BEServiceFavorite::getInstance().putStartWithId("12"); }, "/favorite/12/start;jsessionid=S1",
     {}, kSuccessFavoritePutStart, kErrorFavoritePutStart},
    {"favoriteStop", [] { BEServiceFavorite::getInstance().putStopWithId("12"); }, "/favorite/12/stop;jsessionid=S1",
     {}, kSuccessFavoritePutStop, kErrorFavoritePutStop},
    {"scenario", [] { BEServiceScenario::getInstance().putStatusWithId("DISABLED", "7"); },
     "/scenario/7/status;jsessionid=S1", {{"key", "status"}, {"value", "DISABLED"}}, kSuccessScenarioPut,
     kErrorScenarioPut},
    {"weatherRefresh", [] { BEServiceWeather::getInstance().getRefresh(); },
     "/weather/refresh/USB_WEATHER_VYR;jsessionid=S1", {}, kSuccessWeatherPutRefresh, kErrorWeatherPutRefresh},
    {"imageStart", [] { camera().putStartImageSessionWithId("CAM ENTREE"); },
     "/video/image/start/CAM%20ENTREE;jsessionid=S1", {}, kSuccessCameraPutStartImg, kErrorCameraPutStartImg},
    {"imageStop", [] { camera().putStopImageSession(); }, "/video/image/stop;jsessionid=S1", {},
     kSuccessCameraPutStopImg, kErrorCameraPutStopImg},
    {"videoStop", [] { camera().putStopVideoSession(); }, "/video/stop;jsessionid=S1", {}, kSuccessCameraPutStopVideo,
     kErrorCameraPutStopVideo},
    {"record", [] { camera().putStartRecWithDeviceId("CAM-1"); }, "/video/record/CAM-1;jsessionid=S1", {},
     kSuccessCameraPutStartRecord, kErrorCameraPutStartRecord},
    {"panLeft", [] { camera().putCameraLeft("CAM-2"); }, "/device/camera/CAM-2/command;jsessionid=S1",
     {{"key", "command"}, {"value", "MVL"}}, kSuccessCameraPutPanZoom, kErrorCameraPutPanZoom},
    {"panRight", [] { camera().putCameraRight("CAM-2"); }, "/device/camera/CAM-2/command;jsessionid=S1",
     {{"key", "command"}, {"value", "MVR"}}, kSuccessCameraPutPanZoom, kErrorCameraPutPanZoom},
    {"panUp", [] { camera().putCameraUp("CAM-2"); }, "/device/camera/CAM-2/command;jsessionid=S1",
     {{"key", "command"}, {"value", "MVU"}}, kSuccessCameraPutPanZoom, kErrorCameraPutPanZoom},
    {"panDown", [] { camera().putCameraDown("CAM-2"); }, "/device/camera/CAM-2/command;jsessionid=S1",
     {{"key", "command"}, {"value", "MVD"}}, kSuccessCameraPutPanZoom, kErrorCameraPutPanZoom},
    {"panHome", [] { camera().putResetCameraPosition("CAM-2"); }, "/device/camera/CAM-2/command;jsessionid=S1",
     {{"key", "command"}, {"value", "MVH"}}, kSuccessCameraPutPanZoom, kErrorCameraPutPanZoom},
};

// Test names and failure messages show the row's name, not its bytes.
void PrintTo(const Command& row, std::ostream* os) { *os << row.name; }

class CommandsTest : public BackendTest, public ::testing::WithParamInterface<Command> {};

TEST_P(CommandsTest, SendsExactlyItsRequestAndAnnouncesSuccess) {
  const Command& c = GetParam();
  EXPECT_EQ(answerWith(c.start, HttpResponse::json(200, "")), QStringList{c.success});

  const auto sent = request();
  EXPECT_EQ(sent.method, "PUT");
  EXPECT_EQ(sent.path, wirePath(c.path));
  if (c.body.isEmpty()) {
    EXPECT_TRUE(sent.body.isEmpty()) << sent.body.toStdString();
    EXPECT_EQ(sent.header("Content-Length"), "0");
    EXPECT_FALSE(sent.hasHeader("Content-Type"));
  } else {
    EXPECT_EQ(jsonBody(sent), c.body);  // these members and no other (no "session", no route field)
    EXPECT_EQ(sent.header("Content-Type"), "application/json");
    EXPECT_EQ(sent.header("Content-Length").toLongLong(), sent.body.size());
  }
}

TEST_P(CommandsTest, AFailureAnnouncesItselfBeforeTheStatusAlert) {
  const Command& c = GetParam();
  EXPECT_EQ(answerWith(c.start, HttpResponse::text(403, "expired")),
            (QStringList{c.failure, kNotification403Forbidden}));
  // The gateway's own codes are failures whatever their body.
  EXPECT_EQ(answerWith(c.start, HttpResponse::text(620, "privacy")),
            (QStringList{c.failure, kNotification620PrivacyMode}));
  EXPECT_EQ(answerWith(c.start, HttpResponse::json(615, "{}")), (QStringList{c.failure, kNotification615NotEnoughCredit}));
  // No answer at all (also if the transport tries again): the service's own failure, and no alert.
  const auto closed = HttpResponse::json(200, "").withEffect(simcore::SocketEffect::closeBeforeAnswer());
  server.script().setFallback(closed);
  EXPECT_EQ(answerWith(c.start, closed), QStringList{c.failure});
}

TEST_P(CommandsTest, ASuccessStoresNothing) {
  auto devices = std::vector<std::shared_ptr<VODevice>>{std::make_shared<VODevice>()};
  BESessionManager::getInstance().setDevices(devices);
  answerWith(GetParam().start, HttpResponse::json(200, R"({"devices": []})"));
  EXPECT_EQ(BESessionManager::getInstance().devices(), devices);
}

INSTANTIATE_TEST_SUITE_P(Services, CommandsTest, ::testing::ValuesIn(kCommands),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
