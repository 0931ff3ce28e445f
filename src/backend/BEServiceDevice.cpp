#include "backend/BEServiceDevice.h"

#include "backend/BENotifications.h"
#include "backend/BESessionManager.h"
#include "backend/records/HomeRecords.h"
#include "backend/records/SendRecords.h"

namespace {
const QString kListPath = QStringLiteral("/device");
const QString kStatusPath = QStringLiteral("/device/status");
const QString kExistFragment = QStringLiteral("/device/exist/");
}  // namespace

BEServiceDevice::BEServiceDevice() {
  registerRoute(SODeviceStatus::staticClass(), kStatusPath, rest::RestRequestMethodPUT);
}

void BEServiceDevice::getActuatorList() { loadSessionPath(kListPath); }

void BEServiceDevice::getList() { loadSessionPath(kListPath); }

void BEServiceDevice::putStatusWithId(const QString& status, const QString& serial) {
  auto record = std::make_shared<SODeviceStatus>();
  record->serial = serial.toStdString();
  record->status = status.toStdString();
  record->session = currentSession();
  putRecord(record);
}

void BEServiceDevice::getDeviceExist(const QString& kind) { loadSessionPath(kExistFragment + escapedSegment(kind)); }

void BEServiceDevice::objectLoaderDidLoadObjects(rest::RestObjectLoader* loader, const rest::ObjectList& objects) {
  if (wasSentToSessionPath(loader, kListPath)) {
    BESessionManager::getInstance().setDevices(recordsOf<VODevice>(objects));
    post(kSuccessDeviceGetList);
    post(kSuccessDeviceGetActuatorList);
  } else if (wasSentToSessionPath(loader, kStatusPath)) {
    // The new status reaches the store only with the next list.
    post(kSuccessDevicePutStatus);
  } else if (resourcePathContains(loader, kExistFragment)) {
    post(kSuccessDeviceGetExist);
  }
}

void BEServiceDevice::objectLoaderDidFailWithError(rest::RestObjectLoader* loader, const foundation::Error& error) {
  if (wasSentToSessionPath(loader, kListPath)) {
    post(kErrorDeviceGetList);
    post(kErrorDeviceGetActuatorList);
    dispatchStatusCode(loader, error);
  } else if (wasSentToSessionPath(loader, kStatusPath)) {
    post(kErrorDevicePutStatus);
    dispatchStatusCode(loader, error);
  } else if (resourcePathContains(loader, kExistFragment)) {
    switch (statusCode(loader)) {
      case 404:
        post(kErrorDeviceGetExist);
        break;
      case 200:  // a 200 whose body maps to nothing still says "it exists"
        post(kSuccessDeviceGetExist);
        break;
      default:
        post(kErrorDeviceGetExist);
        dispatchStatusCode(loader, error);
    }
  }
}
