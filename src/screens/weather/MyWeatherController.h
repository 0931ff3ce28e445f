#pragma once
// The weather screen. It first asks whether the home has a station; if so it builds three sheets
// of weather panels under a period menu and shows at once the last figures known for today (those
// the session store holds, else the service's, asked for at once), asks the gateway to read the
// station now, and five seconds later shows today's new figures in place. Sheet 1 holds today,
// yesterday, the last seven days and this month; sheet 2 last month, this year and last year;
// sheet 3 the figures since the station's last reset, which the service does not give. Figures
// filed while the screen is open, whoever asked for them, are drawn on the sheet that shows them.
#include "backend/ServiceCalls.h"
#include "controls/Refreshable.h"
#include "controls/TourStates.h"
#include "foundation/Timer.h"
#include "ui/Screen.h"

#include <QString>

#include <array>

class CustomPageControl2;
class MenuComponent;
class VOWeather;
class WeatherModel;

namespace ui {
class Button;
class ImageView;
class Label;
class ScrollView;
}

class MyWeatherController : public ui::Screen, public controls::TourStates, public controls::Refreshable {
  Q_OBJECT
 public:
  enum class Phase {
    CheckingStation,  // is there a station?
    NoStation,        // the service said there is none
    CheckFailed,      // the question could not be answered: the figures could not be read
    Reading,          // the sheets are built; the station is being read
    Showing,          // today's figures (or their absence) are shown
  };
  static constexpr double kWaitSeconds = 5.0;
  static constexpr int kHeaderHeight = 60;
  static constexpr int kPages = 3;

  MyWeatherController();
  ~MyWeatherController() override;

  Phase phase() const { return m_phase; }
  int selectedPage() const { return m_selectedPage; }
  CustomPageControl2* pageControlPages() const { return m_pages; }
  ui::ScrollView* scrollViewPage(int sheet) const;
  WeatherModel* modelScreenPage(int sheet) const;
  MenuComponent* menu() const { return m_menu; }
  // The no-station or could-not-read message, and the button that asks again after a failure.
  ui::Label* messageLabel() const { return m_message; }
  ui::Button* retryButton() const { return m_retry; }

  void startInitWeatherComponents();
  // Once the figures are on show, the periods shown are asked again (the station is not read
  // anew: that is the gateway's own work, which takes its time).
  void refresh() override;
  void seeDay() { query("day"); }
  void seeYesterday() { query("yesterday"); }
  void seeWeek() { query("week"); }
  void seeMonth() { query("month"); }
  void seePMonth() { query("previousMonth"); }
  void seeYear() { query("year"); }
  void seePYear() { query("previousYear"); }
  void onChangePage();
  // Asks again whether there is a station (after a failure).
  void checkStation();

  std::vector<State> tourStates() override;

 protected:
  void viewDidLoad() override;

 private:
  // `background`: asked again to stay current, not by the user.
  void query(const char* period, bool background = false);
  void showValues(int sheet, const VOWeather* values);
  // Draws the stored figures of the period each sheet shows, where there are some.
  void showStored();
  void showMessage(const QString& text, bool offerRetry);
  void setOverlay(bool shown);

  Phase m_phase = Phase::CheckingStation;
  int m_selectedPage = 0;
  // The period last asked for on each of the first two sheets: an older answer that comes late
  // does not replace it.
  std::array<QString, 2> m_shownPeriod;
  bool m_previousMonthAsked = false;
  bool m_overlayShown = false;

  ui::ImageView* m_header = nullptr;
  ui::Label* m_title = nullptr;
  ui::Label* m_message = nullptr;
  ui::Button* m_retry = nullptr;
  CustomPageControl2* m_pages = nullptr;
  std::array<ui::ScrollView*, kPages> m_sheets{};
  std::array<WeatherModel*, kPages> m_models{};
  MenuComponent* m_menu = nullptr;

  backend::ServiceCalls m_calls;
  foundation::Timer m_wait;
};
