// The floor of the app benchmark's start-up and memory figures: the least a Qt Widgets program
// does to put something on screen. One window with a label; when its first frame has been painted
// it prints how long that took since main() began and its resident memory, and exits.
#include <QApplication>
#include <QElapsedTimer>
#include <QEvent>
#include <QFile>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

#include <cstdio>

namespace {

long long residentKb() {
  QFile status(QStringLiteral("/proc/self/status"));
  if (!status.open(QIODevice::ReadOnly)) return -1;
  for (const QByteArray& line : status.readAll().split('\n'))
    if (line.startsWith("VmRSS:")) return line.mid(6).trimmed().split(' ').value(0).toLongLong();
  return -1;
}

// Ends the run once the window's first paint pass is over (drawn and flushed).
class FirstPaint : public QObject {
 public:
  explicit FirstPaint(const QElapsedTimer& since) : m_since(since) {}
  bool eventFilter(QObject*, QEvent* event) override {
    if (event->type() == QEvent::Paint && !m_seen) {
      m_seen = true;
      QTimer::singleShot(0, this, [this] {
        std::printf("first frame: %lld ms after main(), resident %lld kB\n", static_cast<long long>(m_since.elapsed()), residentKb());
        std::fflush(stdout);
        QCoreApplication::exit(0);
      });
    }
    return false;
  }

 private:
  const QElapsedTimer& m_since;
  bool m_seen = false;
};

}  // namespace

int main(int argc, char** argv) {
  QElapsedTimer since;
  since.start();
  QApplication application(argc, argv);
  QWidget window;
  window.resize(320, 480);  // the app's phone window
  auto* layout = new QVBoxLayout(&window);
  layout->addWidget(new QLabel(QStringLiteral("Bonjour"), &window));
  FirstPaint watch(since);
  window.installEventFilter(&watch);
  window.show();
  return QApplication::exec();
}
