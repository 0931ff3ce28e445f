#pragma once
// Names and user-info keys of the notifications the network half posts on the default centre.
namespace rest {

inline constexpr const char* RestRequestSentNotification = "RestRequestSentNotification";
inline constexpr const char* RestRequestDidLoadResponseNotification = "RestRequestDidLoadResponseNotification";
inline constexpr const char* RestRequestDidFailWithErrorNotification = "RestRequestDidFailWithErrorNotification";
inline constexpr const char* RestServiceDidBecomeUnavailableNotification = "RestServiceDidBecomeUnavailableNotification";

inline constexpr const char* RestReachabilityWasDeterminedNotification = "RestReachabilityWasDeterminedNotification";
inline constexpr const char* RestReachabilityDidChangeNotification = "RestReachabilityDidChangeNotification";

// User info: the response (RestResponse*), the error (foundation::Error), the flag word (quint32).
inline constexpr const char* RestRequestDidLoadResponseNotificationUserInfoResponseKey = "response";
inline constexpr const char* RestRequestDidFailWithErrorNotificationUserInfoErrorKey = "error";
inline constexpr const char* RestReachabilityFlagsUserInfoKey = "RestReachabilityFlagsUserInfoKey";

// Posted by the application-state monitor; the request queues suspend and resume on them.
inline constexpr const char* RestApplicationDidEnterBackgroundNotification = "RestApplicationDidEnterBackgroundNotification";
inline constexpr const char* RestApplicationWillEnterForegroundNotification = "RestApplicationWillEnterForegroundNotification";

}  // namespace rest
