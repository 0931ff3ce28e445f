#include "backend/cli/CliRun.h"

#include "backend/BENotifications.h"
#include "backend/BERestConfig.h"
#include "backend/BEServiceCamera.h"
#include "backend/BEServiceDashboard.h"
#include "backend/BEServiceDevice.h"
#include "backend/BEServiceFavorite.h"
#include "backend/BEServiceHistory.h"
#include "backend/BEServiceLogin.h"
#include "backend/BEServiceMode.h"
#include "backend/BEServiceScenario.h"
#include "backend/BEServiceWeather.h"
#include "backend/BESessionManager.h"
#include "foundation/NotificationCenter.h"
#include "foundation/Timer.h"
#include "rest/mapping/ObjectDump.h"
#include "rest/network/TlsTrust.h"

#include <QCryptographicHash>

#include <QEventLoop>

#include <functional>
#include <optional>

namespace backend::cli {

namespace {

struct Step {
  QString title;
  std::function<void()> start;
  const char* success;
  const char* failure;
  std::function<std::string()> print;  // what the store holds afterwards
};

template <class T>
std::string dumpList(const std::vector<std::shared_ptr<T>>& list) {
  rest::ObjectList objects(list.begin(), list.end());
  return std::to_string(list.size()) + " record(s)\n" + rest::dumpObjects(objects);
}

template <class T>
std::string dumpOne(const std::shared_ptr<T>& record) {
  return record ? rest::dumpObject(*record) : std::string("(nothing stored)");
}

bool isStatusNotification(std::string_view name) {
  return !name.starts_with("kSuccess") && !name.starts_with("kError") && !name.starts_with("kWait");
}

// Starts the step and runs the event loop until its success or failure notification, or until
// the timeout. Returns true on success.
bool runStep(const Step& step, double timeoutSeconds, QTextStream& out) {
  QEventLoop loop;
  std::optional<bool> outcome;
  QStringList statusNotifications;

  foundation::Observations observations;
  observations.add(step.success, [&](const foundation::Notification&) {
    outcome = true;
    loop.quit();
  });
  observations.add(step.failure, [&](const foundation::Notification&) {
    outcome = false;
    loop.quit();
  });
  for (std::string_view name : backend::kAllNotificationNames) {
    if (!isStatusNotification(name)) continue;
    observations.add(std::string(name), [&](const foundation::Notification& n) {
      statusNotifications << QString::fromStdString(n.name);
    });
  }
  bool timedOut = false;
  foundation::Timer timeout = foundation::Timer::singleShot(timeoutSeconds, [&] {
    timedOut = true;
    loop.quit();
  });

  step.start();
  // The status-code notification follows the failure one within the same delivery, so it has
  // been heard by the time the loop returns.
  if (!outcome) loop.exec();

  out << "== " << step.title << ": ";
  if (timedOut && !outcome)
    out << "no answer within " << timeoutSeconds << " s\n";
  else
    out << (*outcome ? step.success : step.failure) << "\n";
  if (!statusNotifications.isEmpty()) out << "   status-code notification: " << statusNotifications.join(QStringLiteral(", ")) << "\n";
  if (step.print) out << QString::fromStdString(step.print()) << "\n";
  out.flush();
  return outcome.value_or(false);
}

std::vector<Step> stepsFor(const QString& read) {
  auto& store = BESessionManager::getInstance();
  if (read == QLatin1String("dashboard"))
    return {{read, [] { BEServiceDashboard::getInstance().getDashboard(); }, kSuccessDashboardGetDashboard,
             kErrorDashboardGetDashboard, [&store] { return dumpOne(store.dashboard()); }}};
  if (read == QLatin1String("devices"))
    return {{read, [] { BEServiceDevice::getInstance().getList(); }, kSuccessDeviceGetList, kErrorDeviceGetList,
             [&store] { return dumpList(store.devices()); }}};
  if (read == QLatin1String("modes"))
    return {{read, [] { BEServiceMode::getInstance().getList(); }, kSuccessModeGetList, kErrorModeGetList,
             [&store] { return dumpList(store.modes()); }}};
  if (read == QLatin1String("favorites"))
    return {{read, [] { BEServiceFavorite::getInstance().getList(); }, kSuccessFavoriteGetList, kErrorFavoriteGetList,
             [&store] { return dumpList(store.favorites()); }}};
  if (read == QLatin1String("scenarios"))
    return {{read, [] { BEServiceScenario::getInstance().getList(); }, kSuccessScenarioGetList, kErrorScenarioGetList,
             [&store] { return dumpList(store.scenarios()); }}};
  if (read == QLatin1String("history"))
    return {{read, [] { BEServiceHistory::getInstance().getList(); }, kSuccessHistoryGetList, kErrorHistoryGetList,
             [&store] { return dumpList(store.histories()); }}};
  if (read == QLatin1String("weather")) {
    struct Period {
      const char* name;
      const char* success;
      const char* failure;
      const std::shared_ptr<VOWeather>& (BESessionManager::*stored)() const;
    };
    static const Period periods[] = {
        {"day", kSuccessWeatherGetDay, kErrorWeatherGetDay, &BESessionManager::weatherDayAverage},
        {"yesterday", kSuccessWeatherGetYesterday, kErrorWeatherGetYesterday,
         &BESessionManager::weatherYesterdayAverage},
        {"week", kSuccessWeatherGetWeek, kErrorWeatherGetWeek, &BESessionManager::weatherWeekAverage},
        {"month", kSuccessWeatherGetMonth, kErrorWeatherGetMonth, &BESessionManager::weatherMonthAverage},
        {"previousMonth", kSuccessWeatherGetPMonth, kErrorWeatherGetPMonth,
         &BESessionManager::weatherPreviousMonthAverage},
        {"year", kSuccessWeatherGetYear, kErrorWeatherGetYear, &BESessionManager::weatherYearAverage},
        {"previousYear", kSuccessWeatherGetPYear, kErrorWeatherGetPYear,
         &BESessionManager::weatherPreviousYearAverage},
    };
    std::vector<Step> steps;
    for (const Period& p : periods) {
      const QString name = QString::fromLatin1(p.name);
      steps.push_back({QStringLiteral("weather %1").arg(name),
                       [name] { BEServiceWeather::getInstance().getPeriodValues(name); }, p.success, p.failure,
                       [&store, p] { return dumpOne((store.*p.stored)()); }});
    }
    return steps;
  }
  if (read == QLatin1String("recordings"))
    return {{read, [] { BEServiceCamera::getInstance().getRecList(); }, kSuccessCameraGetRecList,
             kErrorCameraGetRecList, [&store] { return dumpList(store.recs()); }},
            {QStringLiteral("playback server"), [] { BEServiceCamera::getInstance().getRecServer(); },
             kSuccessCameraGetPlayback, kErrorCameraGetPlayback, [&store] { return dumpOne(store.playback()); }}};
  return {};
}

}  // namespace

int run(const Options& options, QTextStream& out, QTextStream& err) {
  BERestConfig::getInstance().initRestLayer(options.configuration);
  out << "Service: " << BERestConfig::getInstance().baseURL() << "\n";

  const Step signIn{QStringLiteral("sign-in as %1").arg(options.user),
                    [&] {
                      if (!options.passwordDigest.isEmpty())
                        BEServiceLogin::getInstance().postLoginWithDigest(options.user, options.passwordDigest);
                      else
                        BEServiceLogin::getInstance().postLoginWithPassword(options.user, options.password);
                    },
                    kSuccessLoginPostLogin, kErrorLoginPostLogin, [] {
                      // Whoever holds the session identifier is signed in: it is masked as in every log.
                      const auto& auth = BESessionManager::getInstance().auth();
                      if (!auth) return dumpOne(auth);
                      VOAuth shown = *auth;
                      if (shown.sessionId) shown.sessionId = "<hidden>";
                      return rest::dumpObject(shown);
                    }};
  // A certificate nobody vouches for is trusted in the app or named in the configuration; here it
  // is only shown, so that it can be checked and named.
  std::optional<rest::CertificateRefusal> refusal;
  foundation::Observation refusals = foundation::NotificationCenter::defaultCenter().addObserver(
      rest::RestServerCertificateRefusedNotification, [&refusal](const foundation::Notification& notification) {
        if (const auto* r = notification.info<rest::CertificateRefusal>(rest::RestServerCertificateRefusalKey)) refusal = *r;
      });
  if (!runStep(signIn, options.timeoutSeconds, out)) {
    if (refusal && !refusal->certificate.isNull())
      err << "The certificate of " << refusal->server << " was refused"
          << (refusal->verdict == rest::CertificateVerdict::NotExpected ? " (not the one expected of this server)" : "")
          << "; its SHA-256 fingerprint is "
          << QString::fromLatin1(refusal->certificate.digest(QCryptographicHash::Sha256).toHex(':').toUpper())
          << " (RestTrustedFingerprints accepts it).\n";
    err << "Sign-in failed; nothing else was read.\n";
    return 2;
  }
  refusals.reset();

  int failures = 0;
  for (const QString& read : options.reads)
    for (const Step& step : stepsFor(read))
      if (!runStep(step, options.timeoutSeconds, out)) ++failures;
  if (failures > 0) err << failures << " read(s) failed.\n";
  return failures > 0 ? 1 : 0;
}

}  // namespace backend::cli
