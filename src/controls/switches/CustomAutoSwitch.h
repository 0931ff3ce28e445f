#pragma once
// A switch for devices that take a pulse rather than a lasting state: switched on (by a touch or
// from code) it takes no touches for 3 seconds and then falls back to off by itself, silently, so
// the screen hears only the switch-on. Destroying it cancels a pending return.
#include "controls/switches/CustomSwitch.h"

#include "foundation/Timer.h"

class CustomAutoSwitch : public CustomSwitch {
  Q_OBJECT
 public:
  static constexpr double kReturnDelay = 3.0;

  CustomAutoSwitch(QPoint origin, bool selected, const QString& colorId, QWidget* parent);
  explicit CustomAutoSwitch(QPoint origin, QWidget* parent = nullptr);

  void setOnAnimated(bool on, bool animated) override;
  // The timer's handler: touches again, and back to off (animated, without value-changed).
  void returnToOff();
  // Whether a return to off is scheduled.
  bool isReturnPending() const { return m_timerToReturnOff.isValid(); }

 private:
  foundation::Timer m_timerToReturnOff;
};
