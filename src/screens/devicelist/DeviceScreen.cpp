#include "screens/devicelist/DeviceScreen.h"

#include "backend/BESessionManager.h"
#include "backend/BEServiceDevice.h"
#include "foundation/Logging.h"
#include "foundation/Strings.h"
#include "ui/BarButtonItem.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Images.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"
#include "ui/NavigationItem.h"
#include "ui/ScrollView.h"
#include "ui/Views.h"

#include <algorithm>

namespace devicelist {

namespace {
constexpr int kWidth = 320;
const QRect kTitleFrame(74, 0, 236, DeviceScreen::kHeaderHeight);
}  // namespace

DeviceScreen::DeviceScreen(Look look, QObject* parent) : ui::Screen(parent), m_look(std::move(look)) {
  if (m_look.scenarioScreen) {
    auto* button = new ui::BarButtonItem(foundation::localized("Scenarios"), ui::BarButtonItem::Style::Bordered);
    connect(button, &ui::BarButtonItem::triggered, this, [this] { scenarioClicked(); });
    navigationItem()->setRightBarButtonItem(button);
  }
  // The list follows the session store by itself (every list filed, whoever asked for it).
  fetch();
}

DeviceScreen::~DeviceScreen() = default;

void DeviceScreen::fetch() {
  // What the store holds is on show from the start (the list reads it when made): the overlay
  // would only hide it.
  const bool haveSome = !BESessionManager::getInstance().devices().empty();
  m_calls.call(BEServiceDevice::getInstance().getActuatorList(), {},
               [this] { qCWarning(lcApp) << metaObject()->className() << "An error occurred while getting sensors"; },
               haveSome ? backend::ServiceCalls::Overlay::None : backend::ServiceCalls::Overlay::Show);
}

void DeviceScreen::refresh() { m_calls.refresh(BEServiceDevice::getInstance().getActuatorList(), {}); }

void DeviceScreen::loadView() {
  auto* view = new QWidget();
  view->resize(kWidth, kHeaderHeight + kListHeight);
  ui::setBackgroundColor(view, ui::rgb(0.922, 0.922, 0.929));

  m_header = new ui::ImageView(QRect(0, 0, kWidth, kHeaderHeight), view);
  m_header->setImageName(m_look.headerImage);
  m_title = new ui::Label(kTitleFrame, view);
  m_title->setFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 26));
  m_title->setTextColor(Qt::white);
  m_title->setText(foundation::localized(m_look.titleKey));

  m_scrollView = new ui::ScrollView(QRect(0, kHeaderHeight, kWidth, kListHeight), view);
  m_scrollView->setShowsHorizontalScrollIndicator(false);
  m_scrollView->setAlwaysBounceVertical(true);
  m_card = new ui::ImageView(m_scrollView->contentView());
  m_card->setImage(ui::Images::named(QStringLiteral("home_card.png")).stretchable(12, 12));
  m_list = m_look.makeList(QRect(kListMargin, kListMargin, kWidth - 2 * kListMargin, kListHeight - 2 * kListMargin));
  m_scrollView->addSubview(m_list);
  connect(m_list, &DeviceListTableView::contentHeightChanged, this, [this] { changeScrollContentSize(); });
  changeScrollContentSize();
  setView(view);
}

void DeviceScreen::changeScrollContentSize() {
  if (!m_list || !m_scrollView) return;
  const int height = m_list->contentHeight();
  m_list->resize(kWidth - 2 * kListMargin, height);
  // The card's picture carries its shadow outside the rows.
  m_card->setGeometry(m_list->geometry().adjusted(-3, -2, 3, 4));
  m_scrollView->setContentSize(QSize(kWidth, std::max(m_scrollView->height(), height + 2 * kListMargin)));
}

void DeviceScreen::scenarioClicked() {
  ui::NavigationController* navigation = navigationController();
  // A second tap while the first scenario screen slides in opens nothing more.
  if (!navigation || !m_look.scenarioScreen || navigation->isTransitioning() || navigation->topViewController() != this) return;
  ui::Screen* screen = m_look.scenarioScreen();
  if (!screen) return;
  navigationItem()->setBackBarButtonItem(new ui::BarButtonItem(foundation::localized("Back"), ui::BarButtonItem::Style::Done));
  navigation->pushViewController(screen, true);
  navigation->setNavigationBarHidden(false);
}

std::vector<DeviceScreen::State> DeviceScreen::tourStates() {
  std::vector<State> states;
  if (m_scrollView && m_scrollView->canScroll(Qt::Vertical))
    states.push_back({QStringLiteral("end"), [this] {
                        if (m_scrollView) m_scrollView->setContentOffset(m_scrollView->maximumContentOffset());
                      }});
  if (m_look.scenarioScreen) states.push_back({QStringLiteral("scenarios"), [this] { scenarioClicked(); }});
  return states;
}

}  // namespace devicelist
