#pragma once
// Cameras: still-image sessions and images, live video sessions, recordings, pan/tilt commands,
// the list of recordings and the playback server.
#include "backend/ServiceBase.h"
#include "backend/Singleton.h"

#include <QString>

class BEServiceCamera : public backend::ServiceBase, public backend::Singleton<BEServiceCamera> {
 public:
  backend::ReplyPtr putStartImageSessionWithId(const QString& serial);
  backend::ReplyPtr putStopImageSession();
  // A camera without an image yet answers 404: that is announced as success and the stored
  // image stays as it was.
  backend::ReplyPtr getImageWithId(const QString& serial);
  backend::ReplyPtr putStartVideoSessionWithId(const QString& serial);
  backend::ReplyPtr putStopVideoSession();
  backend::ReplyPtr putStartRecWithDeviceId(const QString& serial);
  backend::ReplyPtr putCameraLeft(const QString& serial);
  backend::ReplyPtr putCameraRight(const QString& serial);
  backend::ReplyPtr putCameraDown(const QString& serial);
  backend::ReplyPtr putCameraUp(const QString& serial);
  backend::ReplyPtr putResetCameraPosition(const QString& serial);
  backend::ReplyPtr getRecList();
  backend::ReplyPtr getRecServer();


 private:
  friend class backend::Singleton<BEServiceCamera>;
  BEServiceCamera();


  backend::ReplyPtr putPanZoom(const QString& serial, const char* command);
  static void storeStillImage(const rest::ObjectList& objects);
};
