#include "app/FirstFrame.h"

#include <QEvent>
#include <QTimer>
#include <QWidget>

namespace app {
namespace {

class FirstFrameWatch : public QObject {
 public:
  FirstFrameWatch(QWidget* window, std::function<bool()> shows, std::function<void()> then)
      : QObject(window), m_shows(std::move(shows)), m_then(std::move(then)) {
    window->installEventFilter(this);
  }

  bool eventFilter(QObject*, QEvent* event) override {
    // The first frame of a window comes from its expose, later ones from update requests; the
    // window's own paint event is part of either pass.
    if (event->type() == QEvent::Paint && !m_done && m_shows()) {
      m_done = true;
      // Queued: the rest of the pass (children, flush) runs before.
      QTimer::singleShot(0, this, [this] {
        m_then();
        deleteLater();
      });
    }
    return false;
  }

 private:
  std::function<bool()> m_shows;
  std::function<void()> m_then;
  bool m_done = false;
};

}  // namespace

void whenFirstFrameDrawn(QWidget* window, std::function<bool()> shows, std::function<void()> then) {
  new FirstFrameWatch(window, std::move(shows), std::move(then));
}

}  // namespace app
