#pragma once
// Names of the notifications the service layer posts. Each constant is the text of its own name,
// so observers in other layers can match on the constant or on the literal alike.
#include <string_view>

#define TB_NOTIFICATION(name) inline constexpr const char name[] = #name;

// Sign-in
TB_NOTIFICATION(kSuccessLoginPostLogin)
TB_NOTIFICATION(kErrorLoginPostLogin)

// Devices
TB_NOTIFICATION(kSuccessDeviceGetList)
TB_NOTIFICATION(kSuccessDeviceGetActuatorList)
TB_NOTIFICATION(kErrorDeviceGetList)
TB_NOTIFICATION(kErrorDeviceGetActuatorList)
TB_NOTIFICATION(kSuccessDevicePutStatus)
TB_NOTIFICATION(kErrorDevicePutStatus)
TB_NOTIFICATION(kSuccessDeviceGetExist)
TB_NOTIFICATION(kErrorDeviceGetExist)

// Alarm modes
TB_NOTIFICATION(kSuccessModeGetList)
TB_NOTIFICATION(kErrorModeGetList)
TB_NOTIFICATION(kSuccessModePutMode)
TB_NOTIFICATION(kErrorModePutMode)

// Dashboard
TB_NOTIFICATION(kSuccessDashboardGetDashboard)
TB_NOTIFICATION(kErrorDashboardGetDashboard)

// Favorites
TB_NOTIFICATION(kSuccessFavoriteGetList)
TB_NOTIFICATION(kErrorFavoriteGetList)
TB_NOTIFICATION(kSuccessFavoritePutStart)
TB_NOTIFICATION(kErrorFavoritePutStart)
TB_NOTIFICATION(kSuccessFavoritePutStop)
TB_NOTIFICATION(kErrorFavoritePutStop)

// Scenarios
TB_NOTIFICATION(kSuccessScenarioGetList)
TB_NOTIFICATION(kErrorScenarioGetList)
TB_NOTIFICATION(kSuccessScenarioPut)
TB_NOTIFICATION(kErrorScenarioPut)

// History
TB_NOTIFICATION(kSuccessHistoryGetList)
TB_NOTIFICATION(kErrorHistoryGetList)

// Weather station
TB_NOTIFICATION(kSuccessWeatherGetDay)
TB_NOTIFICATION(kErrorWeatherGetDay)
TB_NOTIFICATION(kSuccessWeatherGetYesterday)
TB_NOTIFICATION(kErrorWeatherGetYesterday)
TB_NOTIFICATION(kSuccessWeatherGetWeek)
TB_NOTIFICATION(kErrorWeatherGetWeek)
TB_NOTIFICATION(kSuccessWeatherGetMonth)
TB_NOTIFICATION(kErrorWeatherGetMonth)
TB_NOTIFICATION(kSuccessWeatherGetPMonth)
TB_NOTIFICATION(kErrorWeatherGetPMonth)
TB_NOTIFICATION(kSuccessWeatherGetYear)
TB_NOTIFICATION(kErrorWeatherGetYear)
TB_NOTIFICATION(kSuccessWeatherGetPYear)
TB_NOTIFICATION(kErrorWeatherGetPYear)
TB_NOTIFICATION(kSuccessWeatherPutRefresh)
TB_NOTIFICATION(kErrorWeatherPutRefresh)
TB_NOTIFICATION(kWaitWeatherFiveSeconds)

// Cameras
TB_NOTIFICATION(kSuccessCameraGetRecList)
TB_NOTIFICATION(kErrorCameraGetRecList)
TB_NOTIFICATION(kSuccessCameraGetPlayback)
TB_NOTIFICATION(kErrorCameraGetPlayback)
TB_NOTIFICATION(kSuccessCameraPutStopImg)
TB_NOTIFICATION(kErrorCameraPutStopImg)
TB_NOTIFICATION(kSuccessCameraPutStartImg)
TB_NOTIFICATION(kErrorCameraPutStartImg)
TB_NOTIFICATION(kSuccessCameraGetImage)
TB_NOTIFICATION(kErrorCameraGetImage)
TB_NOTIFICATION(kSuccessCameraPutPanZoom)
TB_NOTIFICATION(kErrorCameraPutPanZoom)
TB_NOTIFICATION(kSuccessCameraPutStartVideo)
TB_NOTIFICATION(kErrorCameraPutStartVideo)
TB_NOTIFICATION(kSuccessCameraPutStopVideo)
TB_NOTIFICATION(kErrorCameraPutStopVideo)
TB_NOTIFICATION(kSuccessCameraPutStartRecord)
TB_NOTIFICATION(kErrorCameraPutStartRecord)

#undef TB_NOTIFICATION

// The failure classes of the status-code dispatch (BEStatusCodeManager). Their texts are not
// identifiers, so the constants carry descriptive names.
inline constexpr const char kNotification600GatewayOff[] = "600_GATEWAY_OFF";
inline constexpr const char kNotification615NotEnoughCredit[] = "615_NOT_ENOUGH_CREDIT";
inline constexpr const char kNotification620PrivacyMode[] = "620_PRIVACY_MODE";
inline constexpr const char kNotification6xxVyrError[] = "6xxvyrError";
inline constexpr const char kNotification400BadRequest[] = "400BadRequest";
inline constexpr const char kNotification401Unauthorized[] = "401Unauthorized";
inline constexpr const char kNotification403Forbidden[] = "403Forbidden";
inline constexpr const char kNotification404NotFound[] = "404NotFound";
inline constexpr const char kNotification405MethodNotAllowed[] = "405MethodNotAllowed";
inline constexpr const char kNotification415UnsupportedMediaType[] = "415UnsupportedMediaType";
inline constexpr const char kNotification4xxCustomerError[] = "4xxCustomerError";
inline constexpr const char kNotification5xxServerError[] = "5xxServerError";
inline constexpr const char kNotification3xxRedirection[] = "3xxRedirection";

namespace backend {

// Every name above, for tools and tests that listen to the whole layer at once.
inline constexpr std::string_view kAllNotificationNames[] = {
    kSuccessLoginPostLogin, kErrorLoginPostLogin,
    kSuccessDeviceGetList, kSuccessDeviceGetActuatorList, kErrorDeviceGetList, kErrorDeviceGetActuatorList,
    kSuccessDevicePutStatus, kErrorDevicePutStatus, kSuccessDeviceGetExist, kErrorDeviceGetExist,
    kSuccessModeGetList, kErrorModeGetList, kSuccessModePutMode, kErrorModePutMode,
    kSuccessDashboardGetDashboard, kErrorDashboardGetDashboard,
    kSuccessFavoriteGetList, kErrorFavoriteGetList, kSuccessFavoritePutStart, kErrorFavoritePutStart,
    kSuccessFavoritePutStop, kErrorFavoritePutStop,
    kSuccessScenarioGetList, kErrorScenarioGetList, kSuccessScenarioPut, kErrorScenarioPut,
    kSuccessHistoryGetList, kErrorHistoryGetList,
    kSuccessWeatherGetDay, kErrorWeatherGetDay, kSuccessWeatherGetYesterday, kErrorWeatherGetYesterday,
    kSuccessWeatherGetWeek, kErrorWeatherGetWeek, kSuccessWeatherGetMonth, kErrorWeatherGetMonth,
    kSuccessWeatherGetPMonth, kErrorWeatherGetPMonth, kSuccessWeatherGetYear, kErrorWeatherGetYear,
    kSuccessWeatherGetPYear, kErrorWeatherGetPYear, kSuccessWeatherPutRefresh, kErrorWeatherPutRefresh,
    kWaitWeatherFiveSeconds,
    kSuccessCameraGetRecList, kErrorCameraGetRecList, kSuccessCameraGetPlayback, kErrorCameraGetPlayback,
    kSuccessCameraPutStopImg, kErrorCameraPutStopImg, kSuccessCameraPutStartImg, kErrorCameraPutStartImg,
    kSuccessCameraGetImage, kErrorCameraGetImage, kSuccessCameraPutPanZoom, kErrorCameraPutPanZoom,
    kSuccessCameraPutStartVideo, kErrorCameraPutStartVideo, kSuccessCameraPutStopVideo, kErrorCameraPutStopVideo,
    kSuccessCameraPutStartRecord, kErrorCameraPutStartRecord,
    kNotification600GatewayOff, kNotification615NotEnoughCredit, kNotification620PrivacyMode,
    kNotification6xxVyrError, kNotification400BadRequest, kNotification401Unauthorized, kNotification403Forbidden,
    kNotification404NotFound, kNotification405MethodNotAllowed, kNotification415UnsupportedMediaType,
    kNotification4xxCustomerError, kNotification5xxServerError, kNotification3xxRedirection,
};

}  // namespace backend
