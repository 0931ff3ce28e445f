#pragma once
// Pieces every benchmark of the running app needs: bounded waits on the event loop, resident
// memory, order statistics, and the frames of a scroll as the app draws them.
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>

#include <algorithm>
#include <functional>
#include <vector>

namespace benchsupport {

// Runs the event loop until `done` holds or `timeoutMs` passes (then returns `done()`). It sleeps
// while nothing happens, so it leaves the cores to the code measured, and wakes for each event.
inline bool pumpUntil(const std::function<bool()>& done, int timeoutMs) {
  QDeadlineTimer deadline(timeoutMs);
  QTimer tick;  // wakes the wait below now and then, so the deadline is seen
  tick.start(5);
  while (!done()) {
    if (deadline.hasExpired()) return done();
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  }
  return true;
}

// Lets the event loop run for `ms` (pictures and late layout settle).
inline void pumpFor(int ms) { pumpUntil([] { return false; }, ms); }

// Resident memory of this process in kB (VmRSS; "VmHWM:" gives its peak), -1 when unknown.
inline long residentKb(const char* field = "VmRSS:") {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith(field)) return line.mid(int(qstrlen(field))).trimmed().split(' ').value(0).toLong();
  return -1;
}

// The machine's load averages over 1, 5 and 15 minutes, as /proc/loadavg gives them.
inline QByteArray loadAverages() {
  QFile file(QStringLiteral("/proc/loadavg"));
  if (!file.open(QIODevice::ReadOnly)) return "unknown";
  return file.readAll().split(' ').mid(0, 3).join(' ');
}

// The value below which a share `p` (0..1) of `v` lies (nearest rank); 0 for none.
inline double percentile(std::vector<double> v, double p) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t i = std::min(v.size() - 1, size_t(p * double(v.size() - 1) + 0.5));
  return v[i];
}

inline double median(std::vector<double> v) {
  if (v.empty()) return 0;
  std::sort(v.begin(), v.end());
  const size_t n = v.size();
  return n % 2 ? v[n / 2] : (v[n / 2 - 1] + v[n / 2]) / 2;
}

inline double mean(const std::vector<double>& v) {
  double sum = 0;
  for (double x : v) sum += x;
  return v.empty() ? 0 : sum / double(v.size());
}

// Counts the paint passes of a top-level window (its update requests).
class PaintPasses : public QObject {
 public:
  explicit PaintPasses(QWidget* window) { window->installEventFilter(this); }
  int count() const { return m_count; }
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::UpdateRequest) ++m_count;
    return false;
  }

 private:
  int m_count = 0;
};

// Scrolls through `positions`, one frame each as the app has it: `moveTo` moves the content, then
// one turn of the event loop delivers what the move posted and draws `window` (drawn anyway when
// nothing was due). Returns each frame's wall time in ms; `after(y)` runs outside the timing.
inline std::vector<double> scrollFrames(QWidget* window, const std::vector<int>& positions,
                                        const std::function<void(int)>& moveTo,
                                        const std::function<void(int)>& after = {}) {
  PaintPasses passes(window);
  std::vector<double> frames;
  frames.reserve(positions.size());
  QElapsedTimer frame;
  for (int y : positions) {
    frame.start();
    const int before = passes.count();
    moveTo(y);
    QCoreApplication::processEvents();
    if (passes.count() == before) window->repaint();
    frames.push_back(double(frame.nsecsElapsed()) / 1e6);
    if (after) after(y);
  }
  return frames;
}

// 0, step, 2 step, ..., last (last included once).
inline std::vector<int> stepsTo(int last, int step) {
  std::vector<int> positions;
  for (int y = 0;; y = std::min(last, y + std::max(1, step))) {
    positions.push_back(y);
    if (y >= last) break;
  }
  return positions;
}

}  // namespace benchsupport
