#pragma once
// The settings screen's measures, shared by the files that lay its sections out.
namespace settings_metrics {

inline constexpr int kWidth = 320;
inline constexpr int kViewHeight = 416;
inline constexpr int kMargin = 12;
inline constexpr int kRowHeight = 44;
inline constexpr int kRowGap = 6;
inline constexpr int kStep = kRowHeight + kRowGap;
inline constexpr int kCaptionHeight = 30;

}  // namespace settings_metrics
