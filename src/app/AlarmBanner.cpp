#include "app/AlarmBanner.h"

#include "foundation/Strings.h"
#include "ui/Accessibility.h"
#include "ui/Fonts.h"
#include "ui/NavigationController.h"
#include "ui/Views.h"

#include <QAccessible>

namespace app {

namespace {
const QColor kBackground(0xe6, 0x51, 0x00);
}  // namespace

AlarmBanner::AlarmBanner(ui::NavigationController* navigation, std::function<void()> open)
    : ui::Button(QRect(), navigation->view()), m_open(std::move(open)) {
  setObjectName(QStringLiteral("alarmBanner"));
  ui::setBackgroundColor(this, kBackground);
  setTitleColor(Qt::white);
  setTitleFont(ui::Fonts::font(QStringLiteral("Valdo-Bold"), 13));
  setContentEdgeInsets(QMargins(8, 0, 8, 0));
  ui::setAccessibleRole(this, QAccessible::AlertMessage);
  connect(this, &ui::Control::touchUpInside, this, [this] {
    dismiss();
    if (m_open) m_open();
  });
  resize(navigation->view()->width(), kHeight);
  hide();
  // Under the bar (and under the offline banner, which says more about what works now), taking
  // its room from the screen.
  navigation->addBanner(this);
}

AlarmBanner::~AlarmBanner() = default;

void AlarmBanner::present(const QString& title) {
  setTitle(title + QStringLiteral(" · ") + foundation::localized("kTradAlarmBannerOpen"));
  setAccessibleName(title);
  show();
  m_timer.start(kShownSeconds, false, [this](foundation::Timer&) { dismiss(); });
  if (QAccessible::isActive()) {
    QAccessibleEvent announced(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&announced);
  }
}

void AlarmBanner::dismiss() {
  m_timer.invalidate();
  hide();
}

}  // namespace app
