#include "backend/BEServiceCamera.h"

#include "backend/SignInGate.h"

#include "backend/BENotifications.h"
#include "backend/BESessionManager.h"
#include "backend/StillImageDecoder.h"
#include "backend/records/OtherRecords.h"
#include "backend/records/SendRecords.h"
#include "backend/records/VideoRecords.h"
#include "foundation/Logging.h"
#include "rest/mapping/RestObjectManager.h"
#include "rest/network/RestClient.h"

namespace {

const QString kRecListPath = QStringLiteral("/video/record");
const QString kPlaybackPath = QStringLiteral("/video/playback");
const QString kImageStopPath = QStringLiteral("/video/image/stop");

enum Op { RecList, Playback, StopImage, StartImage, GetImage, PanZoom, StartVideo, StopVideo, StartRecord };

}  // namespace

BEServiceCamera::BEServiceCamera() {
  registerRoute(VOVideoPlayback::staticClass(), kPlaybackPath, rest::RestRequestMethodGET);
  registerRoute(SOImageStart::staticClass(), QStringLiteral("/video/image/start/:serial"), rest::RestRequestMethodPUT);
  registerRoute(SOImageStop::staticClass(), kImageStopPath, rest::RestRequestMethodPUT);
  registerRoute(SOCameraPanZoom::staticClass(), QStringLiteral("/device/camera/:serial/command"),
                rest::RestRequestMethodPUT);
  registerRoute(SOVideoStart::staticClass(), QStringLiteral("/video/start/:serial"), rest::RestRequestMethodPUT);
  registerRoute(SOVideoStop::staticClass(), QStringLiteral("/video/stop"), rest::RestRequestMethodPUT);
  registerRoute(SORecordStart::staticClass(), QStringLiteral("/video/record/:serial"), rest::RestRequestMethodPUT);

  auto& session = BESessionManager::getInstance;
  defineOperation(RecList, listRead("recordings", {kSuccessCameraGetRecList}, {kErrorCameraGetRecList}, "records", &BESessionManager::setRecs));
  defineOperation(Playback, {.name = "playback server",
                             .successNames = {kSuccessCameraGetPlayback},
                             .errorNames = {kErrorCameraGetPlayback},
                             .expects = {rest::RestExpectedAnswer::Record, ""},
                             .store = [session](const rest::ObjectList& objects, backend::Home::Stamp) {
                               if (auto playback = firstOf<VOVideoPlayback>(objects)) session().setPlayback(std::move(playback));
                               return true;
                             }});
  defineOperation(StopImage, {.name = "image session stop",
                              .successNames = {kSuccessCameraPutStopImg},
                              .errorNames = {kErrorCameraPutStopImg}});
  defineOperation(StartImage, {.name = "image session start",
                               .successNames = {kSuccessCameraPutStartImg},
                               .errorNames = {kErrorCameraPutStartImg}});
  defineOperation(GetImage, {.name = "still image",
                             .successNames = {kSuccessCameraGetImage},
                             .errorNames = {kErrorCameraGetImage},
                             .store = [](const rest::ObjectList& objects, backend::Home::Stamp) {
                               storeStillImage(objects);
                               return true;
                             },
                             // No image yet: not an error, and the stored image stays.
                             .failureOutcome = [](int status) {
                               return status == 404 ? backend::FailureOutcome::Success : backend::FailureOutcome::Alert;
                             }});
  defineOperation(PanZoom, {.name = "pan/tilt",
                            .successNames = {kSuccessCameraPutPanZoom},
                            .errorNames = {kErrorCameraPutPanZoom}});
  defineOperation(StartVideo, {.name = "video start",
                               .successNames = {kSuccessCameraPutStartVideo},
                               .errorNames = {kErrorCameraPutStartVideo},
                               // Without a server there is no stream to play: a success would send
                               // the player to the address of an earlier session, or to none.
                               .expects = {rest::RestExpectedAnswer::Record, ""},
                               .store = [session](const rest::ObjectList& objects, backend::Home::Stamp) {
                                 auto live = firstOf<VOVideoServeur>(objects);
                                 if (!live) return false;
                                 session().setLive(std::move(live));
                                 return true;
                               }});
  defineOperation(StopVideo, {.name = "video stop",
                              .successNames = {kSuccessCameraPutStopVideo},
                              .errorNames = {kErrorCameraPutStopVideo}});
  defineOperation(StartRecord, {.name = "record start",
                                .successNames = {kSuccessCameraPutStartRecord},
                                .errorNames = {kErrorCameraPutStartRecord}});
}

backend::ReplyPtr BEServiceCamera::putStartImageSessionWithId(const QString& serial) {
  auto record = std::make_shared<SOImageStart>();
  record->serial = serial.toStdString();
  record->session = currentSession();
  return putRecord(StartImage, record);
}

backend::ReplyPtr BEServiceCamera::putStopImageSession() {
  auto record = std::make_shared<SOImageStop>();
  record->session = currentSession();
  return putRecord(StopImage, record);
}

backend::ReplyPtr BEServiceCamera::getImageWithId(const QString& serial) {
  // A still is new at every turn: storing each one (a disk write every 5 s while a strip of
  // cameras shows) would buy no revalidation and no answer worth reading again.
  const rest::RestClient::CachePolicyScope notStored(rest::RestRequestCachePolicyNone);
  return loadSessionPath(GetImage, QStringLiteral("/video/image/") + escapedSegment(serial));
}

backend::ReplyPtr BEServiceCamera::putStartVideoSessionWithId(const QString& serial) {
  if (backend::ReplyPtr refused = refusedWhileUnreachable(StartVideo)) return refused;
  auto record = std::make_shared<SOVideoStart>();
  record->serial = serial.toStdString();
  record->session = currentSession();
  return tag(StartVideo, manager().putObjectMapResponseWithDelegate(record, mappingForClass(VOVideoServeur::staticClass()), this));
}

backend::ReplyPtr BEServiceCamera::putStopVideoSession() {
  auto record = std::make_shared<SOVideoStop>();
  record->session = currentSession();
  return putRecord(StopVideo, record);
}

backend::ReplyPtr BEServiceCamera::putStartRecWithDeviceId(const QString& serial) {
  auto record = std::make_shared<SORecordStart>();
  record->serial = serial.toStdString();
  record->session = currentSession();
  return putRecord(StartRecord, record);
}

backend::ReplyPtr BEServiceCamera::putPanZoom(const QString& serial, const char* command) {
  auto record = std::make_shared<SOCameraPanZoom>();
  record->serial = serial.toStdString();
  record->key = "command";
  record->value = command;
  record->session = currentSession();
  return putRecord(PanZoom, record);
}

backend::ReplyPtr BEServiceCamera::putCameraLeft(const QString& serial) { return putPanZoom(serial, "MVL"); }
backend::ReplyPtr BEServiceCamera::putCameraRight(const QString& serial) { return putPanZoom(serial, "MVR"); }
backend::ReplyPtr BEServiceCamera::putCameraDown(const QString& serial) { return putPanZoom(serial, "MVD"); }
backend::ReplyPtr BEServiceCamera::putCameraUp(const QString& serial) { return putPanZoom(serial, "MVU"); }
backend::ReplyPtr BEServiceCamera::putResetCameraPosition(const QString& serial) { return putPanZoom(serial, "MVH"); }

backend::ReplyPtr BEServiceCamera::getRecList() { return loadSessionPath(RecList, kRecListPath); }

backend::ReplyPtr BEServiceCamera::getRecServer() {
  auto record = std::make_shared<VOVideoPlayback>();
  record->session = currentSession();
  // The answer is mapped into the sent record itself: it is of the mapping's class.
  if (backend::ReplyPtr refused = backend::refusedBeforeSession("playback server", {kErrorCameraGetPlayback}, false)) return refused;
  return tag(Playback, manager().getObjectMapResponseWithDelegate(record, mappingForClass(VOVideoPlayback::staticClass()), this));
}

void BEServiceCamera::storeStillImage(const rest::ObjectList& objects) {
  // The image is the first pair, or the second when the first is not keyed "image".
  const auto pairs = recordsOf<VOKeyValue>(objects);
  std::shared_ptr<VOKeyValue> image;
  if (!pairs.empty()) image = (pairs[0]->key == "image" || pairs.size() < 2) ? pairs[0] : pairs[1];
  if (!image || image->key != "image") {
    // No picture in the answer: as after a 404, the screens keep the last image.
    qCWarning(lcApp) << "Still image answer without an image; the last image is kept";
    return;
  }
  BESessionManager::getInstance().setImageData(
      backend::camera::decodeStillImageBase64(image->value ? std::string_view(*image->value) : std::string_view()));
}

