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

  void objectLoaderDidLoadObjects(rest::RestObjectLoader* loader, const rest::ObjectList& objects) override;
  void objectLoaderDidFailWithError(rest::RestObjectLoader* loader, const foundation::Error& error) override;

 private:
  friend class backend::Singleton<BEServiceCamera>;
  BEServiceCamera();

  // The operations an answer can belong to, recognised in this order: three exact session paths,
  // then fragments of the path.
  enum class Operation {
    None,
    RecList,
    Playback,
    StopImage,
    StartImage,
    GetImage,
    PanZoom,
    StartVideo,
    StopVideo,
    StartRecord,
  };
  struct Notifications {
    const char* success;
    const char* failure;
  };
  static Operation operationOf(const rest::RestObjectLoader* loader);
  static Notifications notificationsOf(Operation op);

  void putPanZoom(const QString& serial, const char* command);
  static void storeStillImage(const rest::ObjectList& objects);
};
