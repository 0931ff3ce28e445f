#include "app/RootViewController.h"

#include "controls/AppNotifications.h"
#include "controls/CustomNavBar.h"
#include "app/LeftVerticalNav.h"
#include "app/MenuTable.h"
#include "app/RightVerticalNav.h"
#include "app/ScreenCatalog.h"
#include "controls/UISessionManager.h"

#include "foundation/Strings.h"
#include "ui/BarButtonItem.h"
#include "ui/Button.h"
#include "ui/Fonts.h"
#include "ui/ImageView.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"
#include "ui/Views.h"

#include <QEvent>

namespace {
const QColor kMenuBackground(0x0e, 0x15, 0x1f);
constexpr int kFooterRightMargin = 10;
}  // namespace

const QStringList& RootViewController::screenNames() {
  static const QStringList names = app::menuScreenNames();
  return names;
}

RootViewController::RootViewController(QObject* parent)
    : ui::Screen(parent), m_left(std::make_unique<LeftVerticalNav>()), m_right(std::make_unique<RightVerticalNav>()) {}

RootViewController::~RootViewController() = default;

void RootViewController::viewDidLoad() {
  QWidget* root = view();
  root->setObjectName(QStringLiteral("mainMenu"));
  ui::setBackgroundColor(root, kMenuBackground);

  // 1. The app's own bar for the screens pushed above the menu; the menu itself goes without.
  if (ui::NavigationController* navigation = navigationController()) {
    auto* bar = new CustomNavBar();
    navigation->setNavigationBar(bar);
    navigation->setNavigationBarHidden(true);
    bar->setTintColor(ui::rgb(0.675, 0.675, 0.675));
  }

  // 2. Header.
  m_top = new ui::ImageView(QStringLiteral("menu_top.png"), root);
  m_top->move(0, 0);
  // The settings, at the bar's right end.
  m_settings = new ui::Button(QRect(282, 6, 32, 32), root);
  m_settings->setObjectName(QStringLiteral("settingsButton"));
  m_settings->setImageName(QStringLiteral("menu_settings.png"));
  m_settings->setAccessibleName(foundation::localized("SETTINGS"));
  connect(m_settings, &ui::Control::touchUpInside, this, &RootViewController::openSettings);

  // 3. The two columns.
  m_left->tableViewWithFrame(QRect(0, kColumnsTop, LeftVerticalNav::kWidth, kColumnsHeight), root);
  m_right->tableViewWithFrame(QRect(LeftVerticalNav::kWidth, kColumnsTop, RightVerticalNav::kWidth, kColumnsHeight), root);

  // 4. Footer over the bottom picture.
  m_bottom = new ui::ImageView(QStringLiteral("menu_bottom.png"), root);
  m_footer = new ui::Label(root);
  m_footer->setObjectName(QStringLiteral("menuFooter"));
  m_footer->setText(foundation::localized("Exclusively at Valdorim"));
  m_footer->setTextColor(Qt::white);
  m_footer->setFont(ui::Fonts::font(QStringLiteral("Valdo-Light"), 12));
  m_footer->setTextAlignment(Qt::AlignRight);
  root->installEventFilter(this);
  layoutFooter();

  // 5. For the whole life of the menu.
  connect(m_left.get(), &controls::MenuColumn::itemChosen, this, &RootViewController::navItemClicked);
  connect(m_right.get(), &controls::MenuColumn::itemChosen, this, &RootViewController::navItemClicked);
  m_observations.add(kRenewSession, [this](const foundation::Notification&) { loginAfterSessionTimeOut(); });
}

void RootViewController::layoutFooter() {
  if (!m_bottom) return;
  const int height = m_bottom->height();
  m_bottom->setGeometry(0, view()->height() - height, view()->width(), height);
  m_footer->setGeometry(m_bottom->geometry().adjusted(0, 0, -kFooterRightMargin, 0));
  m_bottom->raise();
  m_footer->raise();
}

bool RootViewController::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Resize && isViewLoaded() && watched == view()) layoutFooter();
  return ui::Screen::eventFilter(watched, event);
}

void RootViewController::viewWillAppear(bool animated) {
  if (ui::NavigationController* navigation = navigationController()) navigation->setNavigationBarHidden(true, animated);
}

void RootViewController::navItemClicked() {
  ui::NavigationController* navigation = navigationController();
  if (!navigation) return;
  const QString& selected = UISessionManager::getInstance().selectedNavItem();
  for (const QString& name : screenNames()) {
    if (selected != name) continue;
    ui::Screen* screen = app::ScreenCatalog::shared().create(name);
    if (!screen) return;  // not part of the app yet
    push(screen);
    return;
  }
}

void RootViewController::openSettings() {
  ui::NavigationController* navigation = navigationController();
  if (!navigation || navigation->topViewController() != this) return;
  if (ui::Screen* screen = app::ScreenCatalog::shared().create(QString::fromLatin1(app::kSettingsScreenName))) push(screen);
}

void RootViewController::push(ui::Screen* screen) {
  ui::NavigationController* navigation = navigationController();
  navigation->pushViewController(screen, true);
  navigation->setNavigationBarHidden(false);
  // The pushed screen's back button reads this title.
  navigationItem()->setBackBarButtonItem(new ui::BarButtonItem(foundation::localized("Back"), ui::BarButtonItem::Style::Done));
}

void RootViewController::loginAfterSessionTimeOut() {
  if (ui::NavigationController* navigation = navigationController()) navigation->popToRootViewControllerAnimated(true);
}
