#include "app/AlarmBanner.h"

#include "foundation/Strings.h"
#include "ui/Accessibility.h"
#include "ui/Fonts.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"
#include "ui/Views.h"

#include <QAccessible>
#include <QEvent>

namespace app {

namespace {
const QColor kBackground(0xe6, 0x51, 0x00);
}  // namespace

AlarmBanner::AlarmBanner(ui::NavigationController* navigation, std::function<void()> open)
    : ui::Button(QRect(), navigation->view()), m_navigation(navigation), m_open(std::move(open)) {
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
  navigation->view()->installEventFilter(this);
  connect(navigation, &ui::NavigationController::topViewControllerChanged, this, [this] { layout(); });
  hide();
}

AlarmBanner::~AlarmBanner() = default;

void AlarmBanner::present(const QString& title) {
  setTitle(title + QStringLiteral(" · ") + foundation::localized("kTradAlarmBannerOpen"));
  setAccessibleName(title);
  show();
  layout();
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

void AlarmBanner::layout() {
  if (!m_navigation || isHidden()) return;
  QWidget* host = m_navigation->view();
  int top = m_navigation->isNavigationBarHidden() ? 0 : ui::NavigationBar::kHeight;
  // The offline banner says more about what works now: it keeps its place, this one goes below.
  if (const auto* offline = host->findChild<QWidget*>(QStringLiteral("offlineBanner"), Qt::FindDirectChildrenOnly);
      offline && offline->isVisible())
    top = offline->geometry().bottom() + 1;
  setGeometry(0, top, host->width(), kHeight);
  raise();
}

bool AlarmBanner::eventFilter(QObject* watched, QEvent* event) {
  if (m_navigation && watched == m_navigation->view() && event->type() == QEvent::Resize) layout();
  return ui::Button::eventFilter(watched, event);
}

}  // namespace app
