// The real app against the simulated service for hours of simulated time, with the manual clock:
// it visits every screen the menu opens, leaving each open for a while (live refresh every 30 s),
// while the service's control interface puts faults into about a tenth of the requests and another
// client of the same home changes it between reads. A simulated user taps each alert away after a
// few seconds and signs in again when the login screen comes back. Then, with the faults stopped,
// every screen must show the service's state within one refresh interval, and the dashboard left
// open on an unchanging home must cost little CPU. It prints its figures and exits 1 with the
// reasons when a check fails.
//
//   build/release/bench/soak/soak [--hours 8 | --minutes M] [--seed N] [--dwell S] [--cpu-hours H]
#include "Checks.h"
#include "FaultPlan.h"

#include "screens/support/ScreenHarness.h"
#include "support/SignedInApp.h"

#include "app/LiveState.h"
#include "backend/EventWatcher.h"
#include "foundation/Strings.h"
#include "rest/network/RestNotifications.h"
#include "ui/AlertView.h"
#include "ui/Window.h"

#include <QAccessible>
#include <QApplication>
#include <QJsonArray>
#include <QJsonDocument>
#include <QTemporaryDir>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cstdio>
#include <thread>
#include <tuple>

#include <sys/resource.h>
#include <unistd.h>

namespace soak {
namespace {

constexpr double kRefreshSeconds = 30.0;  // the app's default RefreshInterval
constexpr double kAlertReadSeconds = 3.0;   // how long the simulated user looks at an alert
constexpr double kDecisionSeconds = 10.0;   // how often the plan is asked for a fault or a change
constexpr double kBurstTailSeconds = 60.0;  // what the app says this long after a burst is still its answer
constexpr int kHangSeconds = 120;           // real seconds without a step: the app hangs

struct Options {
  double seconds = 8 * 3600;
  std::uint64_t seed = 2013;
  double dwell = 0;  // 0: a tenth of the run, from 1 to 6 minutes
  double cpuHours = 1;
  double share = 0.10;
};

struct Light {
  QString serial;
  QString name;
};

double cpuSeconds() {
  rusage usage{};
  getrusage(RUSAGE_SELF, &usage);
  return double(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec) + double(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
}

// CPU of the simulated service's server thread (its name is set by the server), from
// /proc/self/task/*/stat: the service answers in this process, but on a phone it is far away, so
// the app's own figure leaves it out.
double serviceCpuSeconds() {
  double ticks = 0;
  const QDir tasks(QStringLiteral("/proc/self/task"));
  for (const QString& tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
    QFile comm(tasks.filePath(tid + QStringLiteral("/comm")));
    if (!comm.open(QIODevice::ReadOnly) || comm.readAll().trimmed() != "simcore-server") continue;
    QFile stat(tasks.filePath(tid + QStringLiteral("/stat")));
    if (!stat.open(QIODevice::ReadOnly)) continue;
    const QByteArray line = stat.readAll();
    // Fields after the command's closing parenthesis: state is field 3, utime 14, stime 15.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() > 12) ticks += fields[11].toDouble() + fields[12].toDouble();
  }
  return ticks / double(sysconf(_SC_CLK_TCK));
}

double residentMb() {
  QFile statm(QStringLiteral("/proc/self/statm"));
  if (!statm.open(QIODevice::ReadOnly)) return 0;
  return statm.readAll().split(' ').value(1).toDouble() * double(sysconf(_SC_PAGESIZE)) / (1024.0 * 1024.0);
}

double openFiles() {
  return double(QDir(QStringLiteral("/proc/self/fd")).entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot).size());
}

// Steps taken, for the watchdog thread; -1 once the run is over. Not a member: the watchdog may
// outlive the run while it sleeps.
std::atomic<long> g_heartbeat{0};

// Failures the harness reported through its test assertions (outside a test, they land here).
int harnessFailures() { return ::testing::UnitTest::GetInstance()->ad_hoc_test_result().total_part_count(); }

class SoakRun : public screentest::ScreenTest {
 public:
  explicit SoakRun(const Options& options) : m_options(options), m_plan(options.seed, options.share) {
    // As the app runs by default: the event watcher reads the history every 30 s, so the menu
    // alone is also the figure of the watcher idle.
    watchInterval = backend::EventWatcher::kDefaultInterval;
  }
  int run();

 private:
  void TestBody() override {}

  void step(double seconds = 1.0);
  void watchAlerts();
  void actAsUser();
  bool userBusy() const;
  void decide();
  void followBurst();
  void visit(const benchsupport::MenuTap& tap);
  void switchLight(int index);
  simtest::Reply asOtherClient(const QByteArray& method, const QString& path, const QByteArray& body = {});
  void fillHistory();
  void sample();
  void checkShowsService(const QString& screenName);
  struct Cpu {
    double app = 0;      // the process less the service's thread
    double service = 0;  // the in-process service's thread
  };
  Cpu cpuPerHourOpen(const benchsupport::MenuTap* tap, double* requestsPerHour);
  QString topName() const;

  Options m_options;
  FaultPlan m_plan;
  BurstLedger m_ledger;
  Verdict m_verdict;
  Trend m_memory, m_files;
  std::vector<benchsupport::MenuTap> m_taps;
  std::vector<Light> m_lights;
  foundation::Observations m_observations;
  double m_t = 0;  // simulated seconds since the start
  double m_nextDecision = 0, m_nextScreen = 0, m_nextSample = 0, m_nextFollow = 0, m_spentAt = -1, m_hudSince = -1;
  double m_warmUp = 0;
  std::size_t m_screen = 0;
  long m_requests = 0, m_faulted = 0, m_changes = 0, m_visits = 0, m_waitingSteps = 0;
  bool m_expiryBurst = false, m_signedInThisBurst = false;
};

// -- The simulated world ----------------------------------------------------------------------

void SoakRun::step(double seconds) {
  clock.advanceBy(seconds);
  sim->clock.advanceMs(qint64(seconds * 1000));
  m_t += seconds;
  QCoreApplication::processEvents();
  // An answer on its way arrives within milliseconds; a stalled one waits for the app's time-out,
  // which the manual clock brings a step at a time.
  if (!benchsupport::pumpUntil([] { return rest::networkActivityCount() == 0; }, 100)) ++m_waitingSteps;
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  ++g_heartbeat;
  watchAlerts();
  actAsUser();
  const ui::ProgressHUD* hud = app->progressHUD();
  if (!(hud && hud->isShowing())) m_hudSince = -1;
  else if (m_hudSince < 0) m_hudSince = m_t;
  else if (m_t - m_hudSince > 2 * kRefreshSeconds + 60) {
    m_verdict.check(false, QStringLiteral("loading overlay stuck for %1 s on %2 at %3 s").arg(m_t - m_hudSince).arg(topName()).arg(m_t).toStdString());
    m_hudSince = m_t;
  }
}

void SoakRun::watchAlerts() {
  for (ui::AlertView* alert : app->window()->alerts()) {
    if (alert->property("soakSince").isValid()) continue;
    alert->setProperty("soakSince", m_t);
    m_ledger.alertShown(alert->message(), m_t);
  }
}

bool SoakRun::userBusy() const {
  return !app->window()->alerts().isEmpty() || (app->popupWindow() && qobject_cast<LoginViewController*>(app->popupController()));
}

void SoakRun::actAsUser() {
  const auto alerts = app->window()->alerts();
  if (!alerts.isEmpty()) {
    if (m_t - alerts.last()->property("soakSince").toDouble() >= kAlertReadSeconds) dismissAlert();
    return;
  }
  if (app->popupWindow() && qobject_cast<LoginViewController*>(app->popupController())) {
    const int failures = harnessFailures();
    signInThroughLoginScreen();
    m_verdict.check(harnessFailures() == failures, QStringLiteral("the sign-in again failed at %1 s").arg(m_t).toStdString());
  }
}

// Asks the plan for a burst of faults or a change of the home, never while a burst is still going
// (the other client's requests would meet its faults) or the user is busy with an alert.
void SoakRun::decide() {
  if (m_ledger.open() || userBusy()) return;
  if (auto fault = m_plan.next(m_requests, m_faulted)) {
    m_ledger.begin(fault->name(), fault->kind == FaultKind::SessionExpiry, m_t);
    m_expiryBurst = fault->kind == FaultKind::SessionExpiry;
    m_signedInThisBurst = false;
    m_spentAt = -1;
    m_faulted += fault->requests;
    const simtest::Reply reply = m_expiryBurst ? sim->control("POST", QStringLiteral("/_sim/sessions/expire"))
                                               : sim->control("POST", QStringLiteral("/_sim/fail"), QJsonDocument(fault->rule()).toJson(QJsonDocument::Compact));
    m_verdict.check(reply.status == 200, "the control interface refused " + fault->name().toStdString() + ": " + reply.body.toStdString());
    return;
  }
  if (auto light = m_plan.homeChange(int(m_lights.size()))) switchLight(*light);
}

// A burst is over once its faults are spent (an expiry: once the user has signed in again) and
// the app has had a while to say what it had to say.
void SoakRun::followBurst() {
  if (!m_ledger.open()) return;
  if (m_spentAt < 0) {
    const bool spent = m_expiryBurst ? m_signedInThisBurst
                                     : sim->control("GET", QStringLiteral("/_sim/state")).json.value("rules").toArray().isEmpty();
    if (spent) m_spentAt = m_t;
  } else if (m_t - m_spentAt >= kBurstTailSeconds && !userBusy()) {
    m_ledger.end();
  }
}

// Back to the menu and a tap on the screen's row, as the user goes from one screen to another.
void SoakRun::visit(const benchsupport::MenuTap& tap) {
  app->navigationController()->popToRootViewControllerAnimated(false);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  tap();
  ++m_visits;
}

simtest::Reply SoakRun::asOtherClient(const QByteArray& method, const QString& path, const QByteArray& body) {
  simtest::Reply reply = sim->call(method, path, body);
  if (reply.status == 403) {  // an expiry ended this client's session too
    sim->signIn(QStringLiteral("anne"), QStringLiteral("jardin2013"));
    reply = sim->call(method, path, body);
  }
  return reply;
}

void SoakRun::switchLight(int index) {
  const Light& light = m_lights[size_t(index)];
  const QString status = device(light.serial)["status"].toString() == "ON" ? "OFF" : "ON";
  const QJsonObject body{{"serial", light.serial}, {"status", status}};
  const simtest::Reply reply = asOtherClient("PUT", QStringLiteral("/device/status"), QJsonDocument(body).toJson(QJsonDocument::Compact));
  m_verdict.check(reply.status == 200, "the other client could not switch " + light.serial.toStdString());
  ++m_changes;
}

void SoakRun::sample() {
  // The in-process service stands for a far server: its record of the requests it received (kept
  // for tests, up to 10,000 of them) would otherwise grow with every request and be counted as the
  // app's memory.
  sim->server().clearRecordedRequests();
  const double hours = m_t / 3600.0;
  m_memory.add(hours, residentMb());
  m_files.add(hours, openFiles());
}

QString SoakRun::topName() const {
  const ui::Screen* top = app->navigationController()->topViewController();
  return top ? QString::fromLatin1(top->metaObject()->className()) : QStringLiteral("(none)");
}

// -- Checks of what is on show ----------------------------------------------------------------

// The open screen says nothing is wrong or old, and every switch named after a light of the home
// (the light's own row, or the dashboard's list of what is on) shows the light as the service has it.
void SoakRun::checkShowsService(const QString& screenName) {
  const std::string where = screenName.toStdString() + " at " + std::to_string(int(m_t)) + " s";
  m_verdict.check(!userBusy(), "an alert or the login screen still on show on " + where);
  const app::LiveState* live = app->liveState();
  m_verdict.check(!live->banner()->isVisible(), "the out-of-reach banner still on show on " + where);
  m_verdict.check(!live->storedBanner()->isVisible(), "the not-yet-refreshed notice still on show on " + where);
  m_verdict.check(!app->progressHUD()->isShowing(), "the loading overlay still on show on " + where);

  std::map<QString, QString> service;
  for (const Light& light : m_lights) service[light.name] = device(light.serial)["status"].toString();
  const QString on = foundation::localized("A11Y_ON"), off = foundation::localized("A11Y_OFF");
  ui::Screen* top = app->navigationController()->topViewController();
  for (QWidget* widget : top->view()->findChildren<QWidget*>()) {
    if (!widget->isVisibleTo(app->window())) continue;
    QAccessibleInterface* a11y = QAccessible::queryAccessibleInterface(widget);
    if (!a11y || a11y->role() != QAccessible::CheckBox) continue;
    const auto light = service.find(a11y->text(QAccessible::Name));
    if (light == service.end()) continue;
    const QString shown = a11y->text(QAccessible::Value);
    m_verdict.check(shown == (light->second == "ON" ? on : off),
                    "'" + light->first.toStdString() + "' shows " + shown.toStdString() + ", the service says " +
                        light->second.toStdString() + ", on " + where);
  }
}

// CPU per simulated hour, stepping the clock as the soak does, with the screen of `tap` open (the
// menu alone when null): the app's (with this driver, the same for both) and the service's apart.
SoakRun::Cpu SoakRun::cpuPerHourOpen(const benchsupport::MenuTap* tap, double* requestsPerHour) {
  if (tap) visit(*tap);
  else app->navigationController()->popToRootViewControllerAnimated(false);
  for (int i = 0; i < 120; ++i) step();
  const double before = cpuSeconds(), serviceBefore = serviceCpuSeconds();
  const long requests = m_requests;
  const int steps = int(m_options.cpuHours * 3600);
  for (int i = 0; i < steps; ++i) step();
  if (requestsPerHour) *requestsPerHour = double(m_requests - requests) / m_options.cpuHours;
  Cpu cpu;
  cpu.service = (serviceCpuSeconds() - serviceBefore) / m_options.cpuHours;
  cpu.app = (cpuSeconds() - before) / m_options.cpuHours - cpu.service;
  return cpu;
}

// A home in use for months has as many events as its box keeps: from then on each new event
// pushes the oldest out, and what the app holds of the history must stay the same size. (The demo
// home starts with a few days of them, which would grow all through the run.)
void SoakRun::fillHistory() {
  // Without "home" an event happens in every home: enough for the emptiest to fill.
  int missing = 0;
  for (const QJsonValue& home : sim->control("GET", QStringLiteral("/_sim/state")).json.value("homes").toArray())
    missing = std::max(missing, home["historyLimit"].toInt() - home["historyEvents"].toInt());
  const QByteArray quiet = R"({"origin": "1", "reason": "13", "alert": "0", "sensor": "Détecteur salon"})";
  for (int i = 0; i < missing; ++i) sim->control("POST", QStringLiteral("/_sim/event"), quiet);
  std::printf("soak: %d quiet events fill the history to the box's limit\n", missing);
}

// -- The run ----------------------------------------------------------------------------------

int SoakRun::run() {
  SetUp();
  if (harnessFailures() > 0) {
    std::fprintf(stderr, "soak: the app could not start and sign in\n");
    return 2;
  }
  std::thread watchdog([] {
    long seen = -1;
    for (;;) {
      std::this_thread::sleep_for(std::chrono::seconds(kHangSeconds));
      const long now = g_heartbeat.load();
      if (now < 0) return;
      if (now == seen) {
        std::fprintf(stderr, "soak: FAILED: hang: the app took no step for %d s\n", kHangSeconds);
        std::_Exit(3);
      }
      seen = now;
    }
  });

  m_observations.add(kSuccessLoginPostLogin, [this](const foundation::Notification&) {
    m_signedInThisBurst = true;
    m_ledger.signedIn(m_t);
  });
  for (const char* name : {rest::RestRequestDidLoadResponseNotification, rest::RestRequestDidFailWithErrorNotification})
    m_observations.add(name, [this](const foundation::Notification&) { ++m_requests; });
  m_taps = benchsupport::menuTaps(*app);
  for (const QJsonValue& d : simRead(QStringLiteral("/device")).value("devices").toArray())
    if (d["serial"].toString().startsWith("LGT-")) m_lights.push_back({d["serial"].toString(), d["name"].toString()});

  fillHistory();

  const double dwell = m_options.dwell > 0 ? m_options.dwell : std::clamp(m_options.seconds / 10, 60.0, 360.0);
  m_warmUp = std::min(3600.0, m_options.seconds / 4);
  std::printf("soak: seed %llu, %.2f simulated hours, %zu screens, %.0f s each, faults in %.0f %% of requests\n",
              static_cast<unsigned long long>(m_options.seed), m_options.seconds / 3600, m_taps.size(), dwell, m_options.share * 100);
  std::fflush(stdout);
  QElapsedTimer wall;
  wall.start();

  while (m_t < m_options.seconds) {
    if (m_t >= m_nextScreen && !userBusy()) {
      visit(m_taps[m_screen++ % m_taps.size()]);
      m_nextScreen = m_t + dwell;
    }
    if (m_t >= m_nextDecision) {
      decide();
      m_nextDecision = m_t + kDecisionSeconds;
    }
    if (m_t >= m_nextFollow) {
      followBurst();
      m_nextFollow = m_t + 5;
    }
    if (m_t >= m_warmUp && m_t >= m_nextSample) {
      sample();
      m_nextSample = m_t + 60;
    }
    step();
    if (int(m_t) % 3600 == 0) {
      std::printf("soak: %.0f h, %.0f s, %ld requests, %d bursts, %ld steps waiting for an answer\n", m_t / 3600,
                  wall.elapsed() / 1000.0, m_requests, m_ledger.bursts(), m_waitingSteps);
      std::fflush(stdout);
    }
  }
  const long requests = m_requests;  // the share of faults is that of the soak alone

  // Faults stop. A session that ended unseen (nothing was read since) comes out on the dashboard
  // first; then each screen in turn must show the home as the service has it within one refresh
  // interval of a change made after it opened.
  sim->control("POST", QStringLiteral("/_sim/reset"));
  visit(m_taps.front());
  for (int i = 0; i < 600 && (i < 2 * kRefreshSeconds || userBusy()); ++i) step();
  for (std::size_t i = 0; i < m_taps.size(); ++i) {
    visit(m_taps[i]);
    step();
    if (!m_lights.empty()) switchLight(int(i % m_lights.size()));
    for (int s = 0; s <= int(kRefreshSeconds); ++s) step();
    checkShowsService(m_taps[i].screenName);
  }
  for (int i = 0; i < 120 && m_ledger.open(); ++i) {
    step();
    followBurst();
  }
  m_ledger.end();

  // The battery figure: the dashboard open on a home that does not change, beside the menu alone.
  Cpu cpuHome, cpuMenu;
  double requestsHome = 0;
  if (m_options.cpuHours > 0) {
    for (const benchsupport::MenuTap& tap : m_taps)
      if (tap.screenName == "MyHomeController") cpuHome = cpuPerHourOpen(&tap, &requestsHome);
    cpuMenu = cpuPerHourOpen(nullptr, nullptr);
  }
  g_heartbeat = -1;
  watchdog.detach();

  m_verdict.add(m_ledger.faults());
  const double share = requests ? 100.0 * double(m_faulted) / double(requests) : 0;
  std::printf("soak figures (seed %llu, %.2f simulated hours in %.0f s):\n", static_cast<unsigned long long>(m_options.seed),
              m_options.seconds / 3600, wall.elapsed() / 1000.0);
  std::printf("  requests              %ld, %ld met a fault (%.1f %%), %ld changes of the home, %ld screen visits\n", requests,
              m_faulted, share, m_changes, m_visits);
  std::printf("  bursts of faults      %d, %d alerts, %d sign-ins again\n", m_ledger.bursts(), m_ledger.alerts(), m_ledger.signIns());
  const bool judgeTrends = m_memory.span() >= 1.0;
  for (const auto& [what, trend, unit] : {std::tuple{"resident memory", &m_memory, "MB"}, std::tuple{"open descriptors", &m_files, ""}}) {
    std::printf("  %-21s %.1f%s -> %.1f%s, slope %+.2f %% per hour over %.1f h after %.1f h warm-up%s\n", what, trend->first(), unit,
                trend->last(), unit, trend->slopePercentPerHour(), trend->span(), m_warmUp / 3600, judgeTrends ? "" : " (too short to judge)");
    if (judgeTrends)
      m_verdict.check(trend->slopePercentPerHour() < 1.0,
                      std::string(what) + " grows " + std::to_string(trend->slopePercentPerHour()) + " % per simulated hour");
  }
  if (m_options.cpuHours > 0) {
    const double excess = cpuHome.app - cpuMenu.app;
    std::printf("  CPU, dashboard open   app %.2f s per simulated hour (menu alone, the event watcher reading every 30 s: %.2f s;"
                " the difference %.2f s), %.0f requests per hour;"
                " the in-process service %.2f s (menu alone %.2f s)\n",
                cpuHome.app, cpuMenu.app, excess, requestsHome, cpuHome.service, cpuMenu.service);
    if (m_options.cpuHours >= 0.5) {
      m_verdict.check(excess < 1.0, "the open dashboard costs the app " + std::to_string(excess) + " CPU s per simulated hour");
      m_verdict.check(cpuMenu.app < 1.0, "the idle event watcher costs " + std::to_string(cpuMenu.app) + " CPU s per simulated hour");
    }
  }
  TearDown();
  m_verdict.check(harnessFailures() == 0, "the harness reported a failure (see above)");
  if (m_verdict.passed()) {
    std::printf("soak: passed\n");
    return 0;
  }
  std::printf("soak: FAILED (%zu):\n", m_verdict.failures().size());
  for (const std::string& reason : m_verdict.failures()) std::printf("  - %s\n", reason.c_str());
  return 1;
}

bool parse(int argc, char** argv, Options* options) {
  for (int i = 1; i < argc; ++i) {
    const QByteArray flag = argv[i];
    if (i + 1 >= argc) return false;
    const QByteArray value = argv[++i];
    bool ok = false;
    const double number = value.toDouble(&ok);
    if (!ok || number < 0) return false;
    if (flag == "--hours") options->seconds = number * 3600;
    else if (flag == "--minutes") options->seconds = number * 60;
    else if (flag == "--seed") options->seed = value.toULongLong(&ok);
    else if (flag == "--dwell") options->dwell = number;
    else if (flag == "--cpu-hours") options->cpuHours = number;
    else return false;
    if (!ok) return false;
  }
  return options->seconds > 0;
}

}  // namespace
}  // namespace soak

int main(int argc, char** argv) {
  soak::Options options;
  if (!soak::parse(argc, argv, &options)) {
    std::fprintf(stderr, "usage: soak [--hours H | --minutes M] [--seed N] [--dwell SECONDS] [--cpu-hours H]\n");
    return 2;
  }
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  // Settings, caches and keychain of this run stay in a folder of its own.
  QTemporaryDir home;
  for (const char* variable : {"XDG_CONFIG_HOME", "XDG_CACHE_HOME", "XDG_DATA_HOME", "TB_TEST_HOME"})
    qputenv(variable, home.path().toUtf8());
  QApplication application(argc, argv);
  int exitCode = 0;
  {
    soak::SoakRun run(options);
    exitCode = run.run();
  }
  return exitCode;
}
