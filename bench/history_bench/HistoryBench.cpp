// The history screen at scale. A loopback server answers the history with a 10,000-event body;
// the program opens the screen and measures, in wall time on the main thread:
//   - answer received (the last byte in) -> records filed -> list rebuilt -> first frame drawn,
//     over several openings (median, best, worst);
//   - the time per frame while the list scrolls from its first row to its last, each frame a
//     move of --step points and one turn of the event loop that draws the window (mean, median,
//     p99, worst);
//   - resident memory before the answer, after the first frame and along the scroll, and the
//     number of row cells alive.
//
// Usage: history_bench [--data FILE] [--openings N] [--step POINTS]
#include "support/BenchSupport.h"

#include "backend/BENotifications.h"
#include "backend/BERestConfig.h"
#include "backend/BESessionManager.h"
#include "backend/records/AuthRecords.h"
#include "core/Dispatcher.h"
#include "core/HttpServer.h"
#include "foundation/Configuration.h"
#include "foundation/NotificationCenter.h"
#include "rest/network/RestTransport.h"
#include "screens/history/MyHistoryController.h"
#include "screens/history/MyHistoryTableView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QThread>
#include <QWidget>

#ifdef __GLIBC__
#include <malloc.h>
#endif

#include <algorithm>
#include <cstdio>
#include <memory>
#include <optional>
#include <vector>

namespace {

using benchsupport::mean;
using benchsupport::percentile;
using benchsupport::residentKb;

struct Opening {
  double answerToStored = 0;  // ms: mapping on the worker, hand-over, filing
  double storedToRebuilt = 0; // ms: filter, heights, cells in view
  double rebuiltToFrame = 0;  // ms: the event loop draws the window
  double total() const { return answerToStored + storedToRebuilt + rebuiltToFrame; }
  long rssBeforeKb = 0;
  long rssAfterKb = 0;
  int rows = 0;
  int cells = 0;
};

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  QString dataPath = QStringLiteral(TB_HISTORY_BENCH_DATA);
  int openings = 5;
  int step = 60;
  const QStringList args = application.arguments();
  for (int i = 1; i + 1 < args.size(); i += 2) {
    if (args[i] == "--data") dataPath = args[i + 1];
    else if (args[i] == "--openings") openings = std::max(1, args[i + 1].toInt());
    else if (args[i] == "--step") step = std::max(1, args[i + 1].toInt());
    else {
      std::fprintf(stderr, "usage: history_bench [--data FILE] [--openings N] [--step POINTS]\n");
      return 2;
    }
  }
  QFile data(dataPath);
  if (!data.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "history_bench: cannot read %s\n", qPrintable(dataPath));
    return 1;
  }
  const QByteArray body = data.readAll();

  simcore::FunctionDispatcher dispatcher([&body](const simcore::HttpRequest& request) {
    if (request.path.contains("/history")) return simcore::HttpResponse::json(200, body);
    return simcore::HttpResponse::json(404, "{}");
  });
  simcore::HttpServer server(&dispatcher);
  if (!server.listen()) {
    std::fprintf(stderr, "history_bench: cannot listen: %s\n", qPrintable(server.errorString()));
    return 1;
  }
  foundation::Configuration configuration;
  configuration.restServer = server.baseUrl().toString();
  while (configuration.restServer.endsWith('/')) configuration.restServer.chop(1);
  configuration.restType = QStringLiteral("tavrobox");
  configuration.restVersion = QStringLiteral("v1");
  BERestConfig::getInstance().initRestLayer(configuration);
  auto auth = std::make_shared<VOAuth>();
  auth->sessionId = "BENCH";
  BESessionManager::getInstance().setAuth(auth);

  // The moment the answer's last byte is in: the transport's own signal, before any parsing.
  std::optional<qint64> answerNs;
  QElapsedTimer clock;
  clock.start();
  QObject::connect(rest::RestTransport::manager(), &QNetworkAccessManager::finished, [&](QNetworkReply* reply) {
    if (reply->url().path().contains(QLatin1String("/history"))) answerNs = clock.nsecsElapsed();
  });
  std::optional<qint64> storedNs, rebuiltNs;
  foundation::Observations observations;
  observations.add(kSuccessHistoryGetList, [&](const foundation::Notification&) { storedNs = clock.nsecsElapsed(); });
  observations.add(kErrorHistoryGetList, [&](const foundation::Notification&) {
    std::fprintf(stderr, "history_bench: the history could not be read\n");
    std::exit(1);
  });

  std::printf("history_bench: %s, %lld bytes, served from %s\n", qPrintable(dataPath), static_cast<long long>(body.size()),
              qPrintable(server.baseUrl().toString()));
  std::vector<Opening> results;
  QWidget window;
  window.resize(320, 416);
  window.show();
  std::unique_ptr<MyHistoryController> screen;
  benchsupport::PaintPasses paint(&window);
  for (int round = 0; round < openings; ++round) {
    screen.reset();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    BESessionManager::getInstance().setHistories({});
    answerNs.reset();
    storedNs.reset();
    rebuiltNs.reset();
    Opening o;
    o.rssBeforeKb = residentKb();
    screen = std::make_unique<MyHistoryController>();
    QWidget* view = screen->view();  // asks for the history
    QObject::connect(screen->historyTableView(), &MyHistoryTableView::contentChanged,
                     [&] { rebuiltNs = clock.nsecsElapsed(); });
    view->setParent(&window);
    view->setGeometry(window.rect());
    view->show();
    while (!rebuiltNs) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    // The next pass the filter sees is drawn by the time the loop returns.
    const int passes = paint.count();
    while (paint.count() == passes) QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents, 5);
    const qint64 frameNs = clock.nsecsElapsed();
    if (!answerNs) {
      std::fprintf(stderr, "history_bench: the transport did not report the answer\n");
      return 1;
    }
    o.answerToStored = double(*storedNs - *answerNs) / 1e6;
    o.storedToRebuilt = double(*rebuiltNs - *storedNs) / 1e6;
    o.rebuiltToFrame = double(frameNs - *rebuiltNs) / 1e6;
    o.rssAfterKb = residentKb();
    o.rows = int(screen->historyTableView()->histories().size());
    o.cells = int(screen->historyTableView()->visibleCells().size());
    results.push_back(o);
    std::printf("opening %d: answer -> stored %.1f ms, -> list rebuilt %.1f ms, -> first frame %.1f ms; total %.1f ms "
                "(%d rows, %d cells; RSS %ld -> %ld kB)\n",
                round + 1, o.answerToStored, o.storedToRebuilt, o.rebuiltToFrame, o.total(), o.rows, o.cells,
                o.rssBeforeKb, o.rssAfterKb);
  }
  std::vector<double> totals;
  for (const Opening& o : results) totals.push_back(o.total());
  std::printf("answer received -> first frame drawn: median %.1f ms, best %.1f ms, worst %.1f ms over %d openings\n",
              percentile(totals, 0.5), percentile(totals, 0.0), percentile(totals, 1.0), int(totals.size()));

  // Scrolling the last screen from the first row to the last.
  MyHistoryTableView* list = screen->historyTableView();
  const int bottom = std::max(0, list->contentSize().height() - list->height());
  std::vector<std::pair<int, long>> rss{{0, residentKb()}};
  int maxCells = 0;
  int nextMark = 1;
  auto moveTo = [list](int y) { list->setContentOffset(QPointF(0, y)); };
  const std::vector<double> frames = benchsupport::scrollFrames(&window, benchsupport::stepsTo(bottom, step), moveTo, [&](int y) {
    maxCells = std::max(maxCells, int(list->visibleCells().size()));
    if (bottom > 0 && y >= bottom * nextMark / 4) {
      rss.emplace_back(nextMark * 25, residentKb());
      ++nextMark;
    }
  });
  const int cellWidgets = int(list->contentView()->findChildren<ui::TableViewCell*>().size());
  std::printf("scrolling %d rows (%d points, %d-point steps): %zu frames, per frame mean %.2f ms, median %.2f ms, "
              "p99 %.2f ms, worst %.2f ms\n",
              int(list->histories().size()), list->contentSize().height(), step, frames.size(), mean(frames),
              percentile(frames, 0.5), percentile(frames, 0.99), percentile(frames, 1.0));
  std::printf("cells: at most %d in view, %d cell widgets alive after the scroll\n", maxCells, cellWidgets);
  std::printf("resident memory: before the first answer %ld kB, after its first frame %ld kB; while scrolling:",
              results.front().rssBeforeKb, results.front().rssAfterKb);
  for (auto [percent, kb] : rss) std::printf(" %d%% %ld kB", percent, kb);
  std::printf("\n");

  // Back to the top: memory that keeps growing on a second pass over the same rows would be a leak.
  benchsupport::scrollFrames(&window, benchsupport::stepsTo(bottom, step), [&](int y) { moveTo(bottom - y); });
  std::printf("resident memory back at the top: %ld kB", residentKb());
#ifdef __GLIBC__
  malloc_trim(0);  // what the allocator keeps for later is not in use
  std::printf(", %ld kB once the allocator returns its free memory", residentKb());
#endif
  std::printf("\n");
  return 0;
}
