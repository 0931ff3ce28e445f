#include "controls/TourStates.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QThread>

namespace controls {

bool TourStates::waitFor(const std::function<bool()>& done, int ms) {
  QDeadlineTimer deadline(ms);
  while (!done()) {
    if (deadline.hasExpired()) return done();
    QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
    QThread::msleep(5);
  }
  return true;
}

}  // namespace controls
