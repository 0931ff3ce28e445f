#pragma once
// The banner of a new alarm inside the window: under the navigation bar (below the offline banner
// when that one shows), the event's title on a warning colour; the screen makes room for it. A tap
// opens what `open` opens (the history) and takes the banner away; it goes by itself after a while.
#include "foundation/Timer.h"

#include <QWidget>  // before the toolkit headers that guard widgets they only declare
#include "ui/Button.h"

#include <functional>

namespace ui {
class NavigationController;
}

namespace app {

class AlarmBanner : public ui::Button {
  Q_OBJECT
 public:
  static constexpr int kHeight = 28;
  static constexpr double kShownSeconds = 120.0;

  AlarmBanner(ui::NavigationController* navigation, std::function<void()> open);
  ~AlarmBanner() override;

  // Shows the banner with this title (a newer alarm replaces the one on show).
  void present(const QString& title);
  void dismiss();

 private:
  std::function<void()> m_open;
  foundation::Timer m_timer;
};

}  // namespace app
