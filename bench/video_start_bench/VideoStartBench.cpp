// How long the user waits for live video: from the tap on a camera page's play button to the
// first decoded frame on the supervision screen, against the simulated service started as its own
// process (REST and media on loopback, video made with ffmpeg). Prints each round and the median,
// split into the service's answer to the video start, the wait for the camera's stream, and the
// player's own start until a frame shows.
//
//   video_start_bench [--rounds N] [--camera SERIAL] [--cloudsim PATH]
#include "support/SignedInApp.h"

#include "app/RootViewController.h"
#include "backend/BENotifications.h"
#include "controls/OnOffSwitch.h"
#include "controls/UISessionManager.h"
#include "foundation/Configuration.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Preferences.h"
#include "foundation/SecretStore.h"
#include "foundation/Strings.h"
#include "rest/network/NetworkActivity.h"
#include "screens/supervision/CustomMoviePlayerViewController.h"
#include "screens/supervision/MySupervisionController.h"
#include "ui/Animation.h"
#include "ui/NavigationController.h"
#include "ui/ProgressHUD.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <algorithm>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

using benchsupport::median;
using benchsupport::pumpUntil;

struct Round {
  double answer = 0;   // tap -> video start answered
  double stream = 0;   // -> the player starts (the camera's playlist lists a segment)
  double frame = 0;    // -> first frame on show
};

int fail(const char* what) {
  std::fprintf(stderr, "video_start_bench: %s\n", what);
  return 1;
}

}  // namespace

int main(int argc, char** argv) {
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QApplication application(argc, argv);
  int rounds = 10;
  QString camera = QStringLiteral("CAM-JARDIN");
  QString cloudsim = QStringLiteral(TB_CLOUDSIM_PATH);
  const QStringList args = application.arguments();
  for (int i = 1; i + 1 < args.size(); i += 2) {
    if (args[i] == "--rounds") rounds = std::max(1, args[i + 1].toInt());
    else if (args[i] == "--camera") camera = args[i + 1];
    else if (args[i] == "--cloudsim") cloudsim = args[i + 1];
  }

  // The simulated service, on free ports; its video is kept in the shared media folder.
  QTemporaryDir work;
  const QString readyFile = work.filePath(QStringLiteral("ready.json"));
  QProcess sim;
  sim.setProcessChannelMode(QProcess::ForwardedErrorChannel);
  sim.start(cloudsim, {"--listen", "127.0.0.1:0", "--media-listen", "127.0.0.1:0", "--life-interval", "0", "--ready-file", readyFile});
  if (!sim.waitForStarted(10000)) return fail("cannot start the simulated service");
  if (!pumpUntil([&] { return QFile::exists(readyFile); }, 30000)) return fail("the simulated service did not get ready");
  QFile file(readyFile);
  file.open(QIODevice::ReadOnly);
  const QJsonObject ready = QJsonDocument::fromJson(file.readAll()).object();

  foundation::Configuration configuration;
  configuration.restServer = ready.value("restServer").toString();
  configuration.restType = ready.value("restType").toString();
  configuration.restVersion = ready.value("restVersion").toString();
  configuration.playbackPort = ready.value("playbackPort").toInt();
  benchsupport::useBenchSettings(work.path());

  std::optional<TavroBoxAppAppDelegate> app(std::in_place);
  app->applicationDidFinishLaunchingWithOptions(configuration);
  if (!benchsupport::signIn(*app, QStringLiteral("demo"), QStringLiteral("demo"))) return fail("could not sign in as demo");

  ui::NavigationController* navigation = app->navigationController();
  auto idle = [&] { return benchsupport::settled(*app); };
  UISessionManager::getInstance().setSelectedNavItem(QStringLiteral("MySupervisionController"));
  app->rootViewController()->navItemClicked();
  if (!pumpUntil(idle, 15000)) return fail("the supervision screen did not load");
  auto* screen = qobject_cast<MySupervisionController*>(navigation->topViewController());
  if (!screen) return fail("the supervision screen did not open");
  int page = -1;
  for (size_t i = 0; i < screen->cameraSensors().size(); ++i)
    if (screen->cameraSensors()[i]->serial == camera.toStdString()) page = int(i);
  if (page < 0) return fail("no such camera in the demo home");

  QElapsedTimer clock;
  double answeredAt = 0, playerAt = 0, frameAt = 0;
  foundation::Observations marks;
  marks.add(kSuccessCameraPutStartVideo, [&](const foundation::Notification&) { answeredAt = clock.nsecsElapsed() / 1e6; });
  QObject::connect(screen->videoSession(), &VideoSession::playerReady, [&] { playerAt = clock.nsecsElapsed() / 1e6; });
  QObject::connect(screen->videoSession(), &VideoSession::firstFrame, [&] { frameAt = clock.nsecsElapsed() / 1e6; });

  std::vector<Round> results;
  std::printf("video_start_bench: tap on play -> first frame, camera %s, %d rounds (+1 warm-up)\n", qPrintable(camera), rounds);
  for (int round = 0; round <= rounds; ++round) {
    screen->showCameraPage(page);
    answeredAt = playerAt = frameAt = 0;
    clock.start();
    screen->playCurrentCamera();
    // The first round may wait for ffmpeg to make the camera's video.
    if (!pumpUntil([&] { return frameAt > 0; }, round == 0 ? 120000 : 30000)) return fail("no frame came");
    if (round > 0) {
      results.push_back({answeredAt, playerAt, frameAt});
      std::printf("  round %2d: %7.1f ms  (answer %6.1f, stream ready %6.1f, first frame %6.1f after the player started)\n", round,
                  frameAt, answeredAt, playerAt - answeredAt, frameAt - playerAt);
    }
    screen->moviePlayer()->stopMoviePlayer();
    if (!pumpUntil(idle, 10000)) return fail("the video did not stop");
    benchsupport::pumpFor(300);
  }
  std::vector<double> total, answer, stream, frame;
  for (const Round& r : results) {
    total.push_back(r.frame);
    answer.push_back(r.answer);
    stream.push_back(r.stream - r.answer);
    frame.push_back(r.frame - r.stream);
  }
  std::printf("median tap -> first frame: %.1f ms (min %.1f, max %.1f); answer %.1f ms, stream ready %.1f ms, player %.1f ms\n",
              median(total), *std::min_element(total.begin(), total.end()), *std::max_element(total.begin(), total.end()),
              median(answer), median(stream), median(frame));
  std::printf("(the design waited a fixed %.0f s after the answer)\n", MySupervisionController::kPlayerStartMaxSeconds);

  navigation->popToRootViewControllerAnimated(false);
  benchsupport::pumpFor(200);
  app.reset();
  sim.terminate();
  sim.waitForFinished(5000);
  return 0;
}
