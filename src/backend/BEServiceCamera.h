#pragma once
// Cameras: still-image sessions and images, live video sessions, recordings, pan/tilt commands,
// the list of recordings and the playback server.
#include "backend/ServiceBase.h"
#include "backend/Singleton.h"

#include <QString>

class BEServiceCamera : public backend::ServiceBase, public backend::Singleton<BEServiceCamera> {
 public:
  void putStartImageSessionWithId(const QString& serial);
  void putStopImageSession();
  // A camera without an image yet answers 404: that is announced as success and the stored
  // image stays as it was.
  void getImageWithId(const QString& serial);
  void putStartVideoSessionWithId(const QString& serial);
  void putStopVideoSession();
  void putStartRecWithDeviceId(const QString& serial);
  void putCameraLeft(const QString& serial);
  void putCameraRight(const QString& serial);
  void putCameraDown(const QString& serial);
  void putCameraUp(const QString& serial);
  void putResetCameraPosition(const QString& serial);
  void getRecList();
  void getRecServer();


 private:
  friend class backend::Singleton<BEServiceCamera>;
  BEServiceCamera();


  void putPanZoom(const QString& serial, const char* command);
  static void storeStillImage(const rest::ObjectList& objects);
};
