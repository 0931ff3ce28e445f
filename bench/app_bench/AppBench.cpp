// The whole app's figures, beside a minimal Qt Widgets program measured in the same run as the
// floor, against the simulated service of the demo home on loopback (in this process, answering
// on its own thread):
//   1. start -> first frame: `tavrobox --exit-after-first-frame` as a new user starts it (the
//      login drawn) and as a remembered user does (the menu drawn), and the minimal program, real
//      process starts in turn, offscreen, timed from the spawn to the line each prints after its
//      first frame; all print their resident memory then;
//   2. start -> dashboard drawn after signing in with remembered credentials, with an empty cache
//      folder and with the cache an earlier run filled (child processes of this program, which
//      start the app as `tavrobox` does and print a line at each step);
//   3. resident memory after visiting every screen once, in a fresh child process;
//   4. in this process: each menu entry tapped, answer received -> screen drawn and tap -> drawn;
//   5. the history screen with a 10,000-event answer: answer -> drawn, then the time per frame
//      while scrolling it from the first row to the last.
// "Drawn" is the whole window rendered (QWidget::grab) once the screen has its answers; slides and
// fades take no time, as in the tour. The ratios and goals come last.
//
//   app_bench [--starts N] [--cache-starts N] [--rounds N] [--step POINTS] [--history FILE]
#include "support/SignedInApp.h"

#include "app/FirstFrame.h"
#include "backend/BESessionManager.h"
#include "foundation/Logging.h"
#include "rest/network/RestTransport.h"
#include "screens/history/MyHistoryController.h"
#include "screens/history/MyHistoryTableView.h"
#include "screens/home/MyHomeController.h"

#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QNetworkAccessManager>
#include <QNetworkReply>
#include <QProcess>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>
#include <map>
#include <optional>

using namespace benchsupport;

namespace {

struct Options {
  int starts = 10;
  int cacheStarts = 5;
  int rounds = 5;
  int step = 60;
  QString history = QStringLiteral(TB_HISTORY_BENCH_DATA);
};

// -- Child processes ----------------------------------------------------------------------------

// What a child printed, each line with the time it arrived, in ms since the spawn.
struct ChildRun {
  bool ok = false;
  std::vector<std::pair<double, QByteArray>> lines;
  // Time of the first line that starts with `word`.
  std::optional<double> at(const char* word) const {
    for (const auto& [ms, line] : lines)
      if (line.startsWith(word)) return ms;
    return std::nullopt;
  }
  // The number after `word` in the first line that starts with it.
  long value(const char* word) const {
    for (const auto& [ms, line] : lines)
      if (line.startsWith(word)) return line.mid(int(qstrlen(word))).trimmed().split(' ').value(0).toLong();
    return -1;
  }
};

ChildRun runChild(const QString& program, const QStringList& arguments, const QProcessEnvironment& environment,
                  int timeoutMs = 60000) {
  ChildRun run;
  QProcess process;
  process.setProcessEnvironment(environment);
  QElapsedTimer clock;
  clock.start();
  process.start(program, arguments);
  if (!process.waitForStarted(10000)) {
    std::fprintf(stderr, "app_bench: cannot start %s\n", qPrintable(program));
    return run;
  }
  QDeadlineTimer deadline(timeoutMs);
  auto takeLines = [&] {
    while (process.canReadLine()) run.lines.emplace_back(double(clock.nsecsElapsed()) / 1e6, process.readLine().trimmed());
  };
  while (process.state() != QProcess::NotRunning && !deadline.hasExpired()) {
    takeLines();
    process.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())));
  }
  if (process.state() != QProcess::NotRunning) {
    std::fprintf(stderr, "app_bench: %s did not end within %d s\n", qPrintable(program), timeoutMs / 1000);
    process.kill();
  }
  process.waitForFinished(5000);
  takeLines();
  run.ok = process.exitStatus() == QProcess::NormalExit && process.exitCode() == 0;
  if (!run.ok)
    std::fprintf(stderr, "app_bench: %s %s failed:\n%s\n", qPrintable(program), qPrintable(arguments.join(' ')),
                 process.readAllStandardError().constData());
  return run;
}

// Offscreen, with configuration, caches and data in `home` (a user who never ran the app, unless
// `home` holds what an earlier run left).
QProcessEnvironment childEnvironment(const QString& home) {
  QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
  environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
  for (const char* name : {"CONFIG", "CACHE", "DATA"})
    environment.insert(QStringLiteral("XDG_%1_HOME").arg(QLatin1String(name)), QDir(home).filePath(QString::fromLatin1(name).toLower()));
  return environment;
}

bool writeConfiguration(const QString& path, const foundation::Configuration& c) {
  QFile file(path);
  if (!file.open(QIODevice::WriteOnly)) return false;
  file.write(QStringLiteral("RestServer = %1\nRestType = %2\nRestVersion = %3\nDemoUser = %4\nDemoPassword = %5\n")
                 .arg(c.restServer, c.restType, c.restVersion, c.demoUser, c.demoPassword)
                 .toUtf8());
  return true;
}

void copyFolder(const QString& from, const QString& to) {
  QDir().mkpath(to);
  for (const QFileInfo& entry : QDir(from).entryInfoList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden)) {
    const QString target = QDir(to).filePath(entry.fileName());
    if (entry.isDir()) copyFolder(entry.filePath(), target);
    else QFile::copy(entry.filePath(), target);
  }
}

// -- The children: the app started as `tavrobox` starts it, driven as a user would ------------

void mark(const char* step, const QElapsedTimer& since) {
  std::printf("%s %lld\n", step, static_cast<long long>(since.elapsed()));
  std::fflush(stdout);
}

int childFailed(const char* what) {
  std::fprintf(stderr, "%s\n", what);
  return 1;
}

// Start -> first screen drawn -> signed in -> dashboard drawn. The first run of a home has nothing
// remembered: the login is drawn, it types the demo user and asks to be remembered. Later runs
// open on the menu while the remembered credentials sign in behind it.
int startToDashboard(TavroBoxAppAppDelegate& app, const QElapsedTimer& since) {
  bool firstDrawn = false;
  bool loginDrawn = false;
  app::whenFirstFrameDrawn(app.window(), [&] { return !app.popupWindow() || app.popupWindow()->isVisible(); }, [&] {
    loginDrawn = app.popupWindow() != nullptr;
    mark(loginDrawn ? "login-drawn" : "first-frame-menu", since);
    firstDrawn = true;
  });
  bool signedIn = false;
  foundation::Observations outcome;
  outcome.add(kSuccessLoginPostLogin, [&](const foundation::Notification&) {
    mark("signed-in", since);
    signedIn = true;
  });
  if (!pumpUntil([&] { return firstDrawn; }, 20000)) return childFailed("nothing was drawn");
  auto* login = loginDrawn ? qobject_cast<LoginViewController*>(app.popupController()) : nullptr;
  // An app that signs in by itself has its request out (or its answer) by now; otherwise the user
  // confirms what the screen filled in with the return key.
  if (login && !signedIn && rest::networkActivityCount() == 0) {
    if (login->postPassword()->text().isEmpty()) {
      login->postUserName()->setText(QStringLiteral("demo"));
      login->postPassword()->setText(QStringLiteral("demo"));
      login->rememberState()->setOn(true);
    }
    mark("sign-in", since);
    login->textFieldShouldReturn(login->postPassword());
  } else {
    // Remembered credentials: the sign-in went by itself at start and is counted from here.
    mark("sign-in", since);
  }
  if (!pumpUntil([&] { return signedIn; }, 20000)) return childFailed("no sign-in");

  ui::NavigationController* navigation = app.navigationController();
  auto home = [&] { return dynamic_cast<MyHomeController*>(navigation->topViewController()); };
  if (!pumpUntil([&] { return home() || app.releasedPopup() || !app.popupWindow(); }, 20000)) return childFailed("the login popup stayed");
  if (!home()) {
    mark("menu", since);
    for (const MenuTap& tap : menuTaps(app))
      if (tap.screenName == QLatin1String("MyHomeController")) tap();
  }
  // Drawn: the dashboard on top with something to show and no overlay over it.
  auto drawn = [&] {
    const ui::ProgressHUD* hud = app.progressHUD();
    return home() && !navigation->isTransitioning() && !(hud && hud->isShowing()) && BESessionManager::getInstance().dashboard();
  };
  if (!pumpUntil(drawn, 20000)) return childFailed("no dashboard");
  app.window()->grab();
  mark("dashboard-drawn", since);
  if (!pumpUntil([&] { return drawn() && home()->dashboardAnswers() > 0; }, 20000)) return childFailed("no dashboard answer");
  app.window()->grab();
  mark("dashboard-answered", since);
  return 0;
}

// Signs in and opens every screen of the menu once, then reports the resident memory.
int visitEveryScreen(TavroBoxAppAppDelegate& app, const foundation::Configuration& configuration) {
  app.window()->show();
  if (!signIn(app, configuration.demoUser, configuration.demoPassword)) return childFailed("no sign-in");
  std::printf("signed-in-rss %ld\n", residentKb());
  int visited = 0;
  for (const MenuTap& tap : menuTaps(app)) {
    if (!openAndSettle(app, tap)) return childFailed(qPrintable(tap.screenName + " did not load"));
    app.window()->grab();
    backToMenu(app);
    ++visited;
  }
  pumpFor(300);
  std::printf("screens %d\nrss %ld\npeak-rss %ld\n", visited, residentKb(), residentKb("VmHWM:"));
  return 0;
}

int runChildMode(int argc, char** argv, const QString& mode, const QString& configPath) {
  QElapsedTimer since;
  since.start();
  QApplication::setApplicationName(QStringLiteral("TavroBox"));
  QApplication application(argc, argv);
  foundation::installLogging();
  const auto configuration = foundation::Configuration::load(configPath);
  if (!configuration) return childFailed(configuration.error().message.c_str());
  if (mode == QLatin1String("tour")) {
    QTemporaryDir preferences;
    useBenchSettings(preferences.path());
    TavroBoxAppAppDelegate app;
    app.applicationDidFinishLaunchingWithOptions(*configuration);
    return visitEveryScreen(app, *configuration);
  }
  // The user's own preferences file, the password kept in it as without a keychain.
  foundation::SecretStore::setStandard(std::make_unique<foundation::PreferencesSecretStore>(foundation::Preferences::standard()));
  foundation::loadStrings(QStringLiteral("fr"));
  ui::Animation::setDurationScale(0);
  TavroBoxAppAppDelegate app;
  app.applicationDidFinishLaunchingWithOptions(*configuration);
  return startToDashboard(app, since);
}

// -- The parent's measures ----------------------------------------------------------------------

struct Report {
  std::vector<std::pair<std::string, std::string>> rows;  // figure, value
  std::vector<std::string> goals;
  void add(const std::string& name, const char* format, double a, double b = 0, double c = 0) {
    char text[200];
    std::snprintf(text, sizeof text, format, a, b, c);
    rows.emplace_back(name, text);
  }
  // A ratio or a figure beside its goal; `met` is empty for a ratio without one.
  void goal(const std::string& format, double figure, double other, std::optional<bool> met = std::nullopt) {
    char text[240];
    std::snprintf(text, sizeof text, format.c_str(), figure, other);
    goals.push_back(std::string(text) + (!met ? "" : *met ? "  OK" : "  MISSED"));
  }
};

struct StartFigures {
  double appMs = 0, rememberedMs = 0, minimalMs = 0;
  long appKb = 0, minimalKb = 0;
};

// Start -> first frame of the app as a new user finds it (the login), of the app signed in and
// remembered by an earlier run (`rememberedHome`: the menu, signing in behind it), and of the
// minimal program, in turn. One unmeasured start of each comes first: the figures are those of a
// user's later starts (the system's file cache warm, the art the app rendered at its first start kept).
StartFigures measureStarts(const Options& options, const QString& configPath, const QString& work, const QString& rememberedHome,
                           Report& report) {
  enum Program { Login, Remembered, Minimal };
  const QProcessEnvironment fresh = childEnvironment(QDir(work).filePath(QStringLiteral("start-home")));
  const QProcessEnvironment remembered = childEnvironment(rememberedHome);
  auto run = [&](Program program) {
    return program == Minimal ? runChild(QStringLiteral(TB_MINIMAL_PATH), {}, fresh)
                              : runChild(QStringLiteral(TB_TAVROBOX_PATH), {"--config", configPath, "--exit-after-first-frame"},
                                         program == Login ? fresh : remembered);
  };
  for (Program program : {Login, Remembered, Minimal}) run(program);
  std::map<Program, std::vector<double>> ms, kb, afterMain;  // after main(): what each program counts itself
  std::printf("start -> first frame, %d starts of each in turn:\n", options.starts);
  for (int round = 0; round < options.starts; ++round) {
    // Each goes first in turn, so that none always finds the others' pages warm.
    for (int k = 0; k < 3; ++k) {
      const Program program = Program((round + k) % 3);
      const ChildRun child = run(program);
      const auto at = child.at("first frame:");
      if (!child.ok || !at) continue;
      ms[program].push_back(*at);
      const QByteArray& line = child.lines.front().second;
      kb[program].push_back(line.mid(line.indexOf("resident") + 8).trimmed().split(' ').value(0).toDouble());
      afterMain[program].push_back(double(child.value("first frame:")));
    }
    auto last = [&](Program program) { return ms[program].empty() ? 0.0 : ms[program].back(); };
    std::printf("  round %2d: login %7.1f ms, remembered %7.1f ms, minimal %7.1f ms\n", round + 1, last(Login), last(Remembered),
                last(Minimal));
  }
  StartFigures f{median(ms[Login]), median(ms[Remembered]), median(ms[Minimal]), long(median(kb[Login])), long(median(kb[Minimal]))};
  auto figure = [&](const std::string& name, Program program) {
    report.add(name, "%.1f ms (min %.1f, max %.1f)", median(ms[program]), percentile(ms[program], 0), percentile(ms[program], 1));
  };
  figure("start -> login drawn (tavrobox)", Login);
  figure("remembered start -> menu drawn (tavrobox)", Remembered);
  figure("start -> first frame (minimal program)", Minimal);
  report.add("  of which after main(): login / remembered / minimal", "%.0f ms / %.0f ms / %.0f ms", median(afterMain[Login]),
             median(afterMain[Remembered]), median(afterMain[Minimal]));
  report.add("resident at first frame: tavrobox / minimal", "%.1f MB / %.1f MB", f.appKb / 1024.0, f.minimalKb / 1024.0);
  return f;
}

// Start with remembered credentials -> dashboard drawn, with an empty cache folder and with the
// cache left by earlier runs, in turn.
// How the figures of a network name it: ", loopback" or ", 150 ms per answer".
QString networkName(int latencyMs) {
  return latencyMs > 0 ? QStringLiteral(", %1 ms per answer").arg(latencyMs) : QStringLiteral(", loopback");
}

void measureCacheStarts(const Options& options, const QString& configPath, const QString& work, LocalService& service,
                        int latencyMs, Report& report, std::map<std::string, double>& out) {
  service.setLatency(latencyMs);
  const QString network = networkName(latencyMs);
  const QString filled = QDir(work).filePath(QStringLiteral("filled-home-%1").arg(latencyMs));
  const QString self = QCoreApplication::applicationFilePath();
  const QStringList arguments{"--child", "start", "--config", configPath};
  // The first run signs in by hand and asks to be remembered: preferences and cache to start from.
  if (!runChild(self, arguments, childEnvironment(filled)).ok) return;
  std::map<bool, std::vector<double>> drawn, answered, signIn, tapToDrawn, stay;
  std::printf("start -> dashboard drawn with remembered credentials%s, %d starts of each in turn:\n", qPrintable(network),
              options.cacheStarts);
  for (int round = 0; round < options.cacheStarts; ++round) {
    for (bool withCache : {false, true}) {
      QString home = filled;
      if (!withCache) {
        home = QDir(work).filePath(QStringLiteral("empty-home-%1-%2").arg(latencyMs).arg(round));
        copyFolder(QDir(filled).filePath(QStringLiteral("config")), QDir(home).filePath(QStringLiteral("config")));
      }
      const ChildRun run = runChild(self, arguments, childEnvironment(home));
      const auto d = run.at("dashboard-drawn"), a = run.at("dashboard-answered"), s = run.at("sign-in"),
                 in = run.at("signed-in"), m = run.at("menu");
      if (!run.ok || !d || !a || !in) continue;
      // The login popup's fixed stay after the sign-in (a design wait, not work) is left out.
      const double wait = m ? *m - *in : 0;
      drawn[withCache].push_back(*d - wait);
      answered[withCache].push_back(*a - wait);
      stay[withCache].push_back(wait);
      if (s) signIn[withCache].push_back(*d - *s - wait);
      if (m) tapToDrawn[withCache].push_back(*d - *m);
      std::printf("  round %2d, %-12s start -> dashboard drawn %7.1f ms, answered %7.1f ms (login's stay of %.0f ms left out)\n",
                  round + 1, withCache ? "cache:" : "no cache:", *d - wait, *a - wait, wait);
    }
  }
  for (bool withCache : {false, true}) {
    const std::string which = std::string(withCache ? "cache filled" : "empty cache") + network.toStdString();
    report.add("start -> dashboard drawn, " + which, "%.1f ms (answered %.1f ms)", median(drawn[withCache]), median(answered[withCache]));
    out[which] = median(drawn[withCache]);
  }
  if (latencyMs == 0) {
    report.add("first screen drawn, signing in -> dashboard drawn, empty cache", "%.1f ms (of which menu tap -> drawn %.1f ms)", median(signIn[false]),
               median(tapToDrawn[false]));
    report.add("login's stay after sign-in (none on a remembered start)", "%.0f ms", median(stay[false]));
  }
  service.setLatency(0);
}

struct Visit {
  double tapToDrawn = 0;
  std::optional<double> answerToDrawn;
};

// Answers the transport received since armed, with the time of the last.
struct AnswerWatch {
  QElapsedTimer clock;
  std::optional<qint64> lastNs;
  int count = 0;
  explicit AnswerWatch(QObject* context) {
    clock.start();
    QObject::connect(rest::RestTransport::manager(), &QNetworkAccessManager::finished, context, [this](QNetworkReply*) {
      lastNs = clock.nsecsElapsed();
      ++count;
    });
  }
  void arm() {
    lastNs.reset();
    count = 0;
  }
};

std::optional<Visit> visit(TavroBoxAppAppDelegate& app, const MenuTap& tap, AnswerWatch& answers) {
  answers.arm();
  const qint64 tapNs = answers.clock.nsecsElapsed();
  if (!openAndSettle(app, tap)) return std::nullopt;
  app.window()->grab();
  const qint64 drawnNs = answers.clock.nsecsElapsed();
  Visit v{double(drawnNs - tapNs) / 1e6, std::nullopt};
  if (answers.lastNs) v.answerToDrawn = double(drawnNs - *answers.lastNs) / 1e6;
  backToMenu(app);
  return v;
}

struct ScreenFigures {
  double worstAnswerToDrawn = 0;
  QString worstScreen;
};

ScreenFigures measureScreens(TavroBoxAppAppDelegate& app, AnswerWatch& answers, const Options& options, Report& report) {
  ScreenFigures figures;
  std::printf("menu tap -> screen drawn, %d visits of each after a first one (ms):\n", options.rounds);
  for (const MenuTap& tap : menuTaps(app)) {
    visit(app, tap, answers);  // the first visit fills what later ones find stored
    std::vector<double> tapMs, answerMs;
    for (int round = 0; round < options.rounds; ++round) {
      const auto v = visit(app, tap, answers);
      if (!v) {
        std::fprintf(stderr, "app_bench: %s did not load\n", qPrintable(tap.screenName));
        break;
      }
      tapMs.push_back(v->tapToDrawn);
      if (v->answerToDrawn) answerMs.push_back(*v->answerToDrawn);
    }
    const std::string name = tap.screenName.toStdString();
    std::printf("  %-26s tap -> drawn %7.1f ms", name.c_str(), median(tapMs));
    if (!answerMs.empty()) std::printf(", answer -> drawn %6.1f ms", median(answerMs));
    std::printf("\n");
    if (answerMs.empty()) {
      report.add("tap -> drawn, " + name, "%.1f ms (asks for nothing)", median(tapMs));
    } else {
      report.add("answer -> drawn, " + name, "%.1f ms (worst %.1f; tap -> drawn %.1f ms)", median(answerMs), percentile(answerMs, 1),
                 median(tapMs));
      if (median(answerMs) > figures.worstAnswerToDrawn) {
        figures.worstAnswerToDrawn = median(answerMs);
        figures.worstScreen = tap.screenName;
      }
    }
  }
  return figures;
}

struct HistoryFigures {
  double p99 = 0;
  bool ok = false;
};

HistoryFigures measureHistory(TavroBoxAppAppDelegate& app, LocalService& service, AnswerWatch& answers, const Options& options,
                              Report& report) {
  HistoryFigures figures;
  QFile data(options.history);
  if (!data.open(QIODevice::ReadOnly)) {
    std::fprintf(stderr, "app_bench: cannot read %s\n", qPrintable(options.history));
    return figures;
  }
  const QByteArray body = data.readAll();
  const qsizetype events = QJsonDocument::fromJson(body).object().value(QStringLiteral("history")).toArray().size();
  service.serveInstead(QStringLiteral("/history"), body);
  MenuTap historyTap{};
  for (const MenuTap& tap : menuTaps(app))
    if (tap.screenName == QLatin1String("MyHistoryController")) historyTap = tap;
  answers.arm();
  const qint64 tapNs = answers.clock.nsecsElapsed();
  auto* screen = historyTap.column ? dynamic_cast<MyHistoryController*>(openAndSettle(app, historyTap, 60000)) : nullptr;
  if (!screen || !answers.lastNs) {
    std::fprintf(stderr, "app_bench: the long history did not load\n");
    service.serveInstead(QString(), {});
    return figures;
  }
  app.window()->grab();
  const qint64 drawnNs = answers.clock.nsecsElapsed();
  // Read now: answers that come while the list scrolls (the event watcher's reads) move it on.
  const qint64 answerNs = *answers.lastNs;
  MyHistoryTableView* list = screen->historyTableView();
  const int rows = int(list->histories().size());
  const int bottom = std::max(0, list->contentSize().height() - list->height());
  const std::vector<double> frames =
      scrollFrames(app.window(), stepsTo(bottom, options.step), [list](int y) { list->setContentOffset(QPointF(0, y)); });
  figures.p99 = percentile(frames, 0.99);
  figures.ok = rows > 0;
  report.add("history, " + std::to_string(events) + " events (" + std::to_string(rows) + " rows): answer -> drawn",
             "%.1f ms (tap -> drawn %.1f ms)", double(drawnNs - answerNs) / 1e6, double(drawnNs - tapNs) / 1e6);
  report.add("history scrolling, " + std::to_string(frames.size()) + " frames of " + std::to_string(options.step) + " points",
             "mean %.2f ms, median %.2f ms, p99 %.2f ms", mean(frames), percentile(frames, 0.5), figures.p99);
  report.add("history scrolling, worst frame", "%.2f ms", percentile(frames, 1));
  backToMenu(app);
  service.serveInstead(QString(), {});
  return figures;
}

std::optional<Options> parseOptions(const QStringList& args) {
  Options o;
  for (int i = 1; i + 1 < args.size(); i += 2) {
    const int n = args[i + 1].toInt();
    if (args[i] == "--starts") o.starts = std::max(1, n);
    else if (args[i] == "--cache-starts") o.cacheStarts = std::max(1, n);
    else if (args[i] == "--rounds") o.rounds = std::max(1, n);
    else if (args[i] == "--step") o.step = std::max(1, n);
    else if (args[i] == "--history") o.history = args[i + 1];
    else return std::nullopt;
  }
  if (args.size() % 2 == 0) return std::nullopt;
  return o;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 5 && qstrcmp(argv[1], "--child") == 0 && qstrcmp(argv[3], "--config") == 0)
    return runChildMode(argc, argv, QString::fromLatin1(argv[2]), QString::fromLocal8Bit(argv[4]));

  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  QTemporaryDir work;
  // This process's own settings and caches stay in the run's folder too.
  for (const char* name : {"CONFIG", "CACHE", "DATA"})
    qputenv(QByteArray("XDG_") + name + "_HOME", QDir(work.path()).filePath(QString::fromLatin1(name).toLower() + "-bench").toUtf8());
  QApplication application(argc, argv);
  std::setvbuf(stdout, nullptr, _IOLBF, 0);
  const auto options = parseOptions(application.arguments());
  if (!options) {
    std::fprintf(stderr, "usage: app_bench [--starts N] [--cache-starts N] [--rounds N] [--step POINTS] [--history FILE]\n");
    return 2;
  }
  const QByteArray loadBefore = loadAverages();
  std::printf("app_bench: machine load (1, 5, 15 min) %s on %d cores\n", loadBefore.constData(), QThread::idealThreadCount());

  LocalService service;
  if (!service.start()) return 1;
  const foundation::Configuration configuration = service.configuration();
  const QString configPath = QDir(work.path()).filePath(QStringLiteral("tavrobox.conf"));
  if (!writeConfiguration(configPath, configuration)) return 1;
  std::printf("app_bench: simulated service at %s\n", qPrintable(configuration.baseURL()));

  Report report;
  // A home an earlier run left signed in and remembered.
  const QString rememberedHome = QDir(work.path()).filePath(QStringLiteral("remembered-home"));
  if (!runChild(QCoreApplication::applicationFilePath(), {"--child", "start", "--config", configPath}, childEnvironment(rememberedHome)).ok)
    return 1;
  const StartFigures starts = measureStarts(*options, configPath, work.path(), rememberedHome, report);
  // On loopback the service answers about as fast as the disk; a phone network's round trip is
  // where the stored answers show.
  constexpr int kPhoneLatencyMs = 150;
  std::map<std::string, double> cache;
  for (int latencyMs : {0, kPhoneLatencyMs}) measureCacheStarts(*options, configPath, work.path(), service, latencyMs, report, cache);

  const ChildRun tour = runChild(QCoreApplication::applicationFilePath(), {"--child", "tour", "--config", configPath},
                                 childEnvironment(QDir(work.path()).filePath(QStringLiteral("tour-home"))), 180000);
  const long tourKb = tour.value("rss");
  if (tour.ok) {
    report.add("resident after signing in", "%.1f MB", tour.value("signed-in-rss") / 1024.0);
    report.add("resident after visiting every screen", "%.1f MB (peak %.1f MB, %.0f screens)", tourKb / 1024.0,
               tour.value("peak-rss") / 1024.0, double(tour.value("screens")));
  }

  useBenchSettings(QDir(work.path()).filePath(QStringLiteral("prefs-bench")));
  auto app = std::make_unique<TavroBoxAppAppDelegate>();
  app->applicationDidFinishLaunchingWithOptions(configuration);
  app->window()->show();
  if (!signIn(*app, configuration.demoUser, configuration.demoPassword)) {
    std::fprintf(stderr, "app_bench: the sign-in to the simulated service did not complete\n");
    return 1;
  }
  AnswerWatch answers(app.get());
  const ScreenFigures screens = measureScreens(*app, answers, *options, report);
  const HistoryFigures history = measureHistory(*app, service, answers, *options, report);

  std::printf("\nfigures (medians):\n");
  for (const auto& [name, value] : report.rows) std::printf("  %-52s %s\n", name.c_str(), value.c_str());
  std::printf("machine load (1, 5, 15 min): %s before, %s after\n", loadBefore.constData(), loadAverages().constData());
  std::printf("\nratios and goals:\n");
  if (starts.minimalMs > 0)
    report.goal("start->login / minimal start->first frame: %.2fx (goal <= %.1fx)", starts.appMs / starts.minimalMs, 1.5,
                starts.appMs <= 1.5 * starts.minimalMs);
  if (starts.minimalMs > 0 && starts.rememberedMs > 0)
    report.goal("remembered start->menu / minimal start->first frame: %.2fx (goal <= %.1fx)", starts.rememberedMs / starts.minimalMs, 1.5,
                starts.rememberedMs <= 1.5 * starts.minimalMs);
  if (cache.count("cache filled, loopback"))
    report.goal("remembered start->dashboard drawn with stored answers, loopback: %.1f ms (goal < %.0f ms)", cache["cache filled, loopback"],
                300, cache["cache filled, loopback"] < 300);
  for (int latencyMs : {0, kPhoneLatencyMs}) {
    const std::string network = networkName(latencyMs).toStdString();
    const std::string empty = "empty cache" + network, filled = "cache filled" + network;
    if (cache.count(empty) && cache[empty] > 0)
      report.goal("start->dashboard" + network + ", cache filled / empty cache: %.2fx (%+.0f ms)",
                  cache[filled] / cache[empty], cache[filled] - cache[empty]);
  }
  if (!screens.worstScreen.isEmpty())
    report.goal("slowest screen, answer->drawn (" + screens.worstScreen.toStdString() + "): %.1f ms (goal <= %.0f ms)",
                screens.worstAnswerToDrawn, 100, screens.worstAnswerToDrawn <= 100);
  if (history.ok) report.goal("history scrolling, p99 frame: %.2f ms (goal < %.0f ms)", history.p99, 8, history.p99 < 8);
  if (tour.ok && starts.minimalKb > 0) {
    report.goal("memory after every screen / minimal program: %.2fx (%.0f kB beside the floor)", double(tourKb) / double(starts.minimalKb),
                double(tourKb - starts.minimalKb));
    report.goal("memory after every screen: %.1f MB (goal < %.0f MB)", tourKb / 1024.0, 80, tourKb < 80 * 1024);
  }
  for (const std::string& line : report.goals) std::printf("  %s\n", line.c_str());
  app.reset();
  return 0;
}
