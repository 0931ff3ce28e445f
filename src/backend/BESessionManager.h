#pragma once
// The session store: the sign-in answer, the last answer of every read, the stream address to
// play and the progress overlay, shared by the services (which write) and the screens (which read).
//
// Every field keeps the last value written until a newer one replaces it: neither a failed request
// nor a new sign-in of the same user clears anything. A sign-in as another user empties the store
// first (clear()), so that nothing of the previous user's home shows in the new session. Lists are
// stored as new vectors of the shared records, so a later change to the vector an answer arrived in
// never reaches the store. Main thread only.
//
// The store is the one source of truth of the home: every change is announced by its `home()`
// (typed signals), and the state a command can change is settled by the home's command ledger
// as it is filed: a list whose request left before a command the service accepted keeps that
// command's result. The setters' `sent` is the stamp of the read that brought the answer
// (Home::readSent()); an answer filed by hand counts as read now.
#include "backend/Home.h"
#include "backend/ProgressOverlay.h"
#include "backend/Singleton.h"
#include "backend/records/AuthRecords.h"
#include "backend/records/HistoryRecords.h"
#include "backend/records/HomeRecords.h"
#include "backend/records/VideoRecords.h"
#include "backend/records/WeatherRecords.h"

#include <QByteArray>
#include <QString>

#include <memory>
#include <optional>
#include <vector>

namespace backend {
template <class T>
using RecordList = std::vector<std::shared_ptr<T>>;
}  // namespace backend

class BESessionManager : public backend::Singleton<BESessionManager> {
 public:
  using Stamp = backend::Home::Stamp;
  static constexpr Stamp kReadNow = backend::Home::kReadNow;

  // What the screens learn from: the shown state of the home and the signal of every change.
  backend::Home& home() { return *m_home; }

  const std::shared_ptr<VOAuth>& auth() const { return m_auth; }
  void setAuth(std::shared_ptr<VOAuth> auth) { m_auth = std::move(auth); }

  const backend::RecordList<VODevice>& devices() const { return m_devices; }
  void setDevices(backend::RecordList<VODevice> devices, Stamp sent = kReadNow);

  const backend::RecordList<VOMode>& modes() const { return m_modes; }
  void setModes(backend::RecordList<VOMode> modes, Stamp sent = kReadNow);

  const std::shared_ptr<VODashboard>& dashboard() const { return m_dashboard; }
  void setDashboard(std::shared_ptr<VODashboard> dashboard, Stamp sent = kReadNow);

  const backend::RecordList<VOFavorite>& favorites() const { return m_favorites; }
  void setFavorites(backend::RecordList<VOFavorite> favorites, Stamp sent = kReadNow);

  const backend::RecordList<VOScenario>& scenarios() const { return m_scenarios; }
  void setScenarios(backend::RecordList<VOScenario> scenarios, Stamp sent = kReadNow);

  const backend::RecordList<VOHistory>& histories() const { return m_histories; }
  void setHistories(backend::RecordList<VOHistory> histories, Stamp = kReadNow) {
    m_histories = std::move(histories);
    emit m_home->historyChanged();
  }

  const std::shared_ptr<VOWeather>& weatherDayAverage() const { return m_weatherDayAverage; }
  void setWeatherDayAverage(std::shared_ptr<VOWeather> w) {
    m_weatherDayAverage = std::move(w);
    emit m_home->weatherChanged();
  }
  const std::shared_ptr<VOWeather>& weatherYesterdayAverage() const { return m_weatherYesterdayAverage; }
  void setWeatherYesterdayAverage(std::shared_ptr<VOWeather> w) {
    m_weatherYesterdayAverage = std::move(w);
    emit m_home->weatherChanged();
  }
  const std::shared_ptr<VOWeather>& weatherWeekAverage() const { return m_weatherWeekAverage; }
  void setWeatherWeekAverage(std::shared_ptr<VOWeather> w) {
    m_weatherWeekAverage = std::move(w);
    emit m_home->weatherChanged();
  }
  const std::shared_ptr<VOWeather>& weatherMonthAverage() const { return m_weatherMonthAverage; }
  void setWeatherMonthAverage(std::shared_ptr<VOWeather> w) {
    m_weatherMonthAverage = std::move(w);
    emit m_home->weatherChanged();
  }
  const std::shared_ptr<VOWeather>& weatherPreviousMonthAverage() const { return m_weatherPreviousMonthAverage; }
  void setWeatherPreviousMonthAverage(std::shared_ptr<VOWeather> w) {
    m_weatherPreviousMonthAverage = std::move(w);
    emit m_home->weatherChanged();
  }
  const std::shared_ptr<VOWeather>& weatherYearAverage() const { return m_weatherYearAverage; }
  void setWeatherYearAverage(std::shared_ptr<VOWeather> w) {
    m_weatherYearAverage = std::move(w);
    emit m_home->weatherChanged();
  }
  const std::shared_ptr<VOWeather>& weatherPreviousYearAverage() const { return m_weatherPreviousYearAverage; }
  void setWeatherPreviousYearAverage(std::shared_ptr<VOWeather> w) {
    m_weatherPreviousYearAverage = std::move(w);
    emit m_home->weatherChanged();
  }

  const backend::RecordList<VOVideoRec>& recs() const { return m_recs; }
  void setRecs(backend::RecordList<VOVideoRec> recs, Stamp = kReadNow) {
    m_recs = std::move(recs);
    emit m_home->recordingsChanged();
  }

  // The last still image of a camera; no value when the last image could not be decoded.
  const std::optional<QByteArray>& imageData() const { return m_imageData; }
  void setImageData(std::optional<QByteArray> data) { m_imageData = std::move(data); }

  const std::shared_ptr<VOVideoPlayback>& playback() const { return m_playback; }
  void setPlayback(std::shared_ptr<VOVideoPlayback> playback) { m_playback = std::move(playback); }

  const std::shared_ptr<VOVideoServeur>& live() const { return m_live; }
  void setLive(std::shared_ptr<VOVideoServeur> live) { m_live = std::move(live); }

  const QString& videoURL() const { return m_videoURL; }
  void setVideoURL(QString url) { m_videoURL = std::move(url); }

  const std::shared_ptr<backend::ProgressOverlay>& uiHUD() const { return m_uiHUD; }
  void setUiHUD(std::shared_ptr<backend::ProgressOverlay> hud) { m_uiHUD = std::move(hud); }

  // The session identifier of the current sign-in, or "" before the first one.
  std::string sessionId() const;

  // The login the current `auth` was obtained with ("" before the first sign-in).
  const std::string& signedInLogin() const { return m_signedInLogin; }
  void setSignedInLogin(std::string login) { m_signedInLogin = std::move(login); }

  // Forgets the session and everything read in it; the progress overlay and the home (with the
  // screens' connections to it) stay, the home announcing that everything was forgotten.
  void clear();

 private:
  friend class backend::Singleton<BESessionManager>;
  BESessionManager();

  std::unique_ptr<backend::Home> m_home;
  std::shared_ptr<VOAuth> m_auth;
  std::string m_signedInLogin;
  backend::RecordList<VODevice> m_devices;
  backend::RecordList<VOMode> m_modes;
  std::shared_ptr<VODashboard> m_dashboard;
  backend::RecordList<VOFavorite> m_favorites;
  backend::RecordList<VOScenario> m_scenarios;
  backend::RecordList<VOHistory> m_histories;
  std::shared_ptr<VOWeather> m_weatherDayAverage;
  std::shared_ptr<VOWeather> m_weatherYesterdayAverage;
  std::shared_ptr<VOWeather> m_weatherWeekAverage;
  std::shared_ptr<VOWeather> m_weatherMonthAverage;
  std::shared_ptr<VOWeather> m_weatherPreviousMonthAverage;
  std::shared_ptr<VOWeather> m_weatherYearAverage;
  std::shared_ptr<VOWeather> m_weatherPreviousYearAverage;
  backend::RecordList<VOVideoRec> m_recs;
  std::optional<QByteArray> m_imageData;
  std::shared_ptr<VOVideoPlayback> m_playback;
  std::shared_ptr<VOVideoServeur> m_live;
  QString m_videoURL;
  std::shared_ptr<backend::ProgressOverlay> m_uiHUD;
};
