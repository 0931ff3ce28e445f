#include "controls/switches/CustomAutoSwitch.h"

#include <QPointer>

CustomAutoSwitch::CustomAutoSwitch(QPoint origin, bool selected, const QString& colorId, QWidget* parent)
    : CustomSwitch(origin, false, colorId, parent) {
  // The base could not reach this class's setOnAnimated while it was being built.
  if (selected) setOnAnimated(true, false);
}

CustomAutoSwitch::CustomAutoSwitch(QPoint origin, QWidget* parent) : CustomAutoSwitch(origin, false, QString(), parent) {}

void CustomAutoSwitch::setOnAnimated(bool on, bool animated) {
  setOnFlag(on);
  moveThumbToState(animated);
  if (on) {
    setUserInteractionEnabled(false);
    // The timer belongs to the switch: destroying the switch cancels the return.
    m_timerToReturnOff = foundation::Timer::singleShot(kReturnDelay, [this] { returnToOff(); });
  } else {
    m_timerToReturnOff.invalidate();
  }
}

void CustomAutoSwitch::returnToOff() {
  m_timerToReturnOff.invalidate();
  setUserInteractionEnabled(true);
  setOnAnimated(false, true);
}
