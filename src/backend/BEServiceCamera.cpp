#include "backend/BEServiceCamera.h"

#include "backend/BENotifications.h"
#include "backend/BESessionManager.h"
#include "backend/StillImageDecoder.h"
#include "backend/records/OtherRecords.h"
#include "backend/records/SendRecords.h"
#include "backend/records/VideoRecords.h"
#include "foundation/Logging.h"
#include "rest/mapping/RestObjectManager.h"

namespace {

const QString kRecListPath = QStringLiteral("/video/record");
const QString kPlaybackPath = QStringLiteral("/video/playback");
const QString kImageStopPath = QStringLiteral("/video/image/stop");

}  // namespace

BEServiceCamera::Operation BEServiceCamera::operationOf(const rest::RestObjectLoader* loader) {
  if (wasSentToSessionPath(loader, kRecListPath)) return Operation::RecList;
  if (wasSentToSessionPath(loader, kPlaybackPath)) return Operation::Playback;
  if (wasSentToSessionPath(loader, kImageStopPath)) return Operation::StopImage;
  if (resourcePathContains(loader, QStringLiteral("/video/image/start/"))) return Operation::StartImage;
  if (resourcePathContains(loader, QStringLiteral("/video/image/")) && loader->isGET()) return Operation::GetImage;
  if (resourcePathContains(loader, QStringLiteral("/device/camera/"))) return Operation::PanZoom;
  if (resourcePathContains(loader, QStringLiteral("/video/start/"))) return Operation::StartVideo;
  if (resourcePathContains(loader, QStringLiteral("/video/stop"))) return Operation::StopVideo;
  if (resourcePathContains(loader, QStringLiteral("/video/record/"))) return Operation::StartRecord;
  return Operation::None;
}

BEServiceCamera::Notifications BEServiceCamera::notificationsOf(Operation op) {
  switch (op) {
    case Operation::RecList: return {kSuccessCameraGetRecList, kErrorCameraGetRecList};
    case Operation::Playback: return {kSuccessCameraGetPlayback, kErrorCameraGetPlayback};
    case Operation::StopImage: return {kSuccessCameraPutStopImg, kErrorCameraPutStopImg};
    case Operation::StartImage: return {kSuccessCameraPutStartImg, kErrorCameraPutStartImg};
    case Operation::GetImage: return {kSuccessCameraGetImage, kErrorCameraGetImage};
    case Operation::PanZoom: return {kSuccessCameraPutPanZoom, kErrorCameraPutPanZoom};
    case Operation::StartVideo: return {kSuccessCameraPutStartVideo, kErrorCameraPutStartVideo};
    case Operation::StopVideo: return {kSuccessCameraPutStopVideo, kErrorCameraPutStopVideo};
    case Operation::StartRecord: return {kSuccessCameraPutStartRecord, kErrorCameraPutStartRecord};
    case Operation::None: break;
  }
  return {nullptr, nullptr};
}

BEServiceCamera::BEServiceCamera() {
  registerRoute(VOVideoPlayback::staticClass(), kPlaybackPath, rest::RestRequestMethodGET);
  registerRoute(SOImageStart::staticClass(), QStringLiteral("/video/image/start/:serial"), rest::RestRequestMethodPUT);
  registerRoute(SOImageStop::staticClass(), kImageStopPath, rest::RestRequestMethodPUT);
  registerRoute(SOCameraPanZoom::staticClass(), QStringLiteral("/device/camera/:serial/command"),
                rest::RestRequestMethodPUT);
  registerRoute(SOVideoStart::staticClass(), QStringLiteral("/video/start/:serial"), rest::RestRequestMethodPUT);
  registerRoute(SOVideoStop::staticClass(), QStringLiteral("/video/stop"), rest::RestRequestMethodPUT);
  registerRoute(SORecordStart::staticClass(), QStringLiteral("/video/record/:serial"), rest::RestRequestMethodPUT);
}

void BEServiceCamera::putStartImageSessionWithId(const QString& serial) {
  auto record = std::make_shared<SOImageStart>();
  record->serial = serial.toStdString();
  record->session = currentSession();
  putRecord(record);
}

void BEServiceCamera::putStopImageSession() {
  auto record = std::make_shared<SOImageStop>();
  record->session = currentSession();
  putRecord(record);
}

void BEServiceCamera::getImageWithId(const QString& serial) {
  loadSessionPath(QStringLiteral("/video/image/") + escapedSegment(serial));
}

void BEServiceCamera::putStartVideoSessionWithId(const QString& serial) {
  auto record = std::make_shared<SOVideoStart>();
  record->serial = serial.toStdString();
  record->session = currentSession();
  manager().putObjectMapResponseWithDelegate(record, mappingForClass(VOVideoServeur::staticClass()), this);
}

void BEServiceCamera::putStopVideoSession() {
  auto record = std::make_shared<SOVideoStop>();
  record->session = currentSession();
  putRecord(record);
}

void BEServiceCamera::putStartRecWithDeviceId(const QString& serial) {
  auto record = std::make_shared<SORecordStart>();
  record->serial = serial.toStdString();
  record->session = currentSession();
  putRecord(record);
}

void BEServiceCamera::putPanZoom(const QString& serial, const char* command) {
  auto record = std::make_shared<SOCameraPanZoom>();
  record->serial = serial.toStdString();
  record->key = "command";
  record->value = command;
  record->session = currentSession();
  putRecord(record);
}

void BEServiceCamera::putCameraLeft(const QString& serial) { putPanZoom(serial, "MVL"); }
void BEServiceCamera::putCameraRight(const QString& serial) { putPanZoom(serial, "MVR"); }
void BEServiceCamera::putCameraDown(const QString& serial) { putPanZoom(serial, "MVD"); }
void BEServiceCamera::putCameraUp(const QString& serial) { putPanZoom(serial, "MVU"); }
void BEServiceCamera::putResetCameraPosition(const QString& serial) { putPanZoom(serial, "MVH"); }

void BEServiceCamera::getRecList() { loadSessionPath(kRecListPath); }

void BEServiceCamera::getRecServer() {
  auto record = std::make_shared<VOVideoPlayback>();
  record->session = currentSession();
  // The answer is mapped into the sent record itself: it is of the mapping's class.
  manager().getObjectMapResponseWithDelegate(record, mappingForClass(VOVideoPlayback::staticClass()), this);
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

void BEServiceCamera::objectLoaderDidLoadObjects(rest::RestObjectLoader* loader, const rest::ObjectList& objects) {
  const Operation op = operationOf(loader);
  const Notifications n = notificationsOf(op);
  auto& session = BESessionManager::getInstance();
  switch (op) {
    case Operation::None:
      return;
    case Operation::RecList:
      session.setRecs(recordsOf<VOVideoRec>(objects));
      break;
    case Operation::Playback:
      if (auto playback = firstOf<VOVideoPlayback>(objects)) session.setPlayback(std::move(playback));
      break;
    case Operation::GetImage:
      storeStillImage(objects);
      break;
    case Operation::StartVideo:
      if (auto live = firstOf<VOVideoServeur>(objects)) {
        session.setLive(std::move(live));
      } else {
        // Without a server there is no stream to play: a success would send the player to the
        // address of an earlier session, or to none.
        post(n.failure);
        dispatchStatusCode(loader, foundation::Error{});
        return;
      }
      break;
    default:
      break;
  }
  post(n.success);
}

void BEServiceCamera::objectLoaderDidFailWithError(rest::RestObjectLoader* loader, const foundation::Error& error) {
  const Operation op = operationOf(loader);
  if (op == Operation::None) return;
  if (op == Operation::GetImage && statusCode(loader) == 404) {
    post(kSuccessCameraGetImage);  // no image yet: not an error, and the stored image stays
    return;
  }
  post(notificationsOf(op).failure);
  dispatchStatusCode(loader, error);
}
