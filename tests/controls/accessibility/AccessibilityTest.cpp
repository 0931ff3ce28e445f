// What assistive technology and the keyboard get from the toolkit and the shared controls, read
// through QAccessible as a screen reader would.
#include "controls/OnOffSwitch.h"
#include "controls/camera/CustomPanAndZoom.h"
#include "controls/playstop/CustomPlayStop.h"
#include "controls/sliders/CustomSliderText.h"
#include "controls/switches/CustomButton.h"
#include "controls/switches/CustomSwitch.h"

#include "UiTestSupport.h"
#include "foundation/Strings.h"
#include "support/ManualClockFixture.h"
#include "ui/AlertView.h"
#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/KeyboardNavigation.h"
#include "ui/Label.h"
#include "ui/NavigationBar.h"
#include "ui/NavigationController.h"
#include "ui/PageIndicator.h"
#include "ui/ProgressHUD.h"
#include "ui/TableViewCell.h"
#include "ui/Theme.h"
#include "ui/Views.h"
#include "ui/Window.h"

#include <QAccessible>
#include <QApplication>
#include <QTest>

#include <gtest/gtest.h>

#include <functional>

namespace {

QAccessibleInterface* ax(QWidget* widget) { return QAccessible::queryAccessibleInterface(widget); }

class AccessibilityTest : public tbtest::ManualClockFixture {
 protected:
  void SetUp() override {
    ManualClockFixture::SetUp();
    foundation::loadStrings(QStringLiteral("fr"));
    root = new ui::Screen();
    navigation = new ui::NavigationController(root);
    window.setRootViewController(navigation);
    window.makeKeyAndVisible();
    ASSERT_TRUE(QTest::qWaitForWindowActive(&window));
  }
  void TearDown() override {
    window.setRootViewController(nullptr);
    delete navigation;
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    ManualClockFixture::TearDown();
  }

  QWidget* page() { return root->view(); }
  template <class T>
  T* shown(T* widget) {
    widget->show();
    return widget;
  }
  // A key as the user types it: to the widget that has the keyboard, else to the window.
  void key(int k, Qt::KeyboardModifiers modifiers = Qt::NoModifier) {
    QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &window;
    QTest::keyClick(target, Qt::Key(k), modifiers);
  }
  // A table row showing `text`, holding whatever the case adds.
  ui::TableViewCell* row(const QString& text) {
    auto* cell = new ui::TableViewCell(QString(), page());
    cell->setGeometry(0, 100, 320, 60);
    auto* label = new ui::Label(QRect(15, 10, 150, 20), cell->contentView());
    label->setText(text);
    return shown(cell);
  }

  ui::Window window;
  ui::Screen* root = nullptr;
  ui::NavigationController* navigation = nullptr;
};

TEST_F(AccessibilityTest, EveryKindOfWidgetHasItsRoleNameAndValue) {
  struct Case {
    const char* what;
    std::function<QWidget*()> make;
    QAccessible::Role role;
    QString name;
    QString value;
  };
  const std::vector<Case> cases{
      {"titled button", [&] { auto* b = new ui::Button(QRect(0, 0, 80, 30), page()); b->setTitle("Valider"); return b; },
       QAccessible::Button, "Valider", ""},
      {"picture button named by its screen",
       [&] { auto* b = new ui::Button(QRect(0, 0, 40, 40), page()); b->setImageName("camera_buttonPanLeft.png"); b->setAccessibleName("Gauche"); return b; },
       QAccessible::Button, "Gauche", ""},
      {"switch in a row", [&] { return new CustomSwitch(QPoint(230, 14), false, "green", row("Lampe salon")->contentView()); },
       QAccessible::CheckBox, "Lampe salon", "désactivé"},
      {"play/stop in a row", [&] { return new CustomPlayStop(QRect(230, 12, 76, 36), true, "syan", row("Soirée")->contentView()); },
       QAccessible::Button, "Soirée", "en marche"},
      {"selector in a row",
       [&] {
         auto* s = new CustomSliderText(QPoint(40, 0), 3, 2, "red", row("Radiateur")->contentView());
         s->setTextWithIndex("Hors gel", 2);
         return s;
       },
       QAccessible::PageTabList, "Radiateur", "Hors gel"},
      {"row", [&] { return row("Volet cuisine"); }, QAccessible::ListItem, "Volet cuisine", ""},
      {"page indicator", [&] { auto* p = new ui::PageIndicator(QRect(0, 0, 100, 20), page()); p->setNumberOfPages(3); return p; },
       QAccessible::Slider, "Pages", "page 1 sur 3"},
      {"picture", [&] { return new ui::ImageView(QStringLiteral("nav_bar.png"), page()); }, QAccessible::Graphic, "", ""},
      {"label", [&] { auto* l = new ui::Label(QRect(0, 0, 100, 20), page()); l->setText("Bonjour"); return l; },
       QAccessible::StaticText, "Bonjour", ""},
      {"camera pan button", [&] { return (new CustomPanAndZoom(QRect(0, 0, 320, 260), page()))->panLeft(); },
       QAccessible::Button, "Tourner la caméra à gauche", ""},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    QWidget* widget = c.make();
    widget->show();
    QAccessibleInterface* iface = ax(widget);
    ASSERT_NE(iface, nullptr);
    EXPECT_EQ(iface->role(), c.role);
    EXPECT_EQ(iface->text(QAccessible::Name), c.name);
    EXPECT_EQ(iface->text(QAccessible::Value), c.value);
  }
  // The video panel is all pictures: each of its buttons still says what it does.
  auto* panel = new CustomPanAndZoom(QRect(0, 0, 320, 260), page());
  for (ui::Button* button : panel->findChildren<ui::Button*>()) EXPECT_FALSE(ax(button)->text(QAccessible::Name).isEmpty());
}

// Space, Return and the assistive "toggle" all run the control's own touch: its handlers hear it
// once each time and the state it reports follows.
TEST_F(AccessibilityTest, TogglesSayTheirStateAndTurnFromTheKeyboardAsFromATouch) {
  struct Case {
    const char* what;
    std::function<ui::Control*()> make;
    QString offValue;
    QString onValue;
  };
  const std::vector<Case> cases{
      {"themed switch", [&] { return new CustomSwitch(QPoint(10, 10), false, "yellow", page()); }, "désactivé", "activé"},
      {"platform switch", [&] { return new controls::OnOffSwitch(QPoint(10, 10), page()); }, "désactivé", "activé"},
      {"play/stop", [&] { return new CustomPlayStop(QRect(10, 10, 76, 36), false, "blue", page()); }, "arrêté", "en marche"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.what);
    ui::Control* control = shown(c.make());
    int heard = 0;
    QObject::connect(control, &ui::Control::touchUpInside, [&] { ++heard; });
    QAccessibleInterface* iface = ax(control);
    EXPECT_TRUE(iface->state().checkable);
    EXPECT_FALSE(iface->state().checked);
    EXPECT_EQ(iface->text(QAccessible::Value), c.offValue);

    control->setFocus(Qt::TabFocusReason);
    key(Qt::Key_Space);
    EXPECT_TRUE(iface->state().checked);
    EXPECT_EQ(iface->text(QAccessible::Value), c.onValue);
    key(Qt::Key_Return);
    EXPECT_FALSE(iface->state().checked);
    iface->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
    EXPECT_TRUE(iface->state().checked);
    EXPECT_EQ(heard, 3);
    delete control;
  }
}

TEST_F(AccessibilityTest, SlidersAndPageIndicatorsTakeValuesAsTheUserWould) {
  auto* slider = shown(new ui::Slider(QRect(10, 10, 200, 30), page()));
  slider->setMaximumValue(10);
  slider->setValue(5);
  int reported = 0;
  QObject::connect(slider, &ui::Control::valueChanged, [&] { ++reported; });
  QAccessibleValueInterface* value = ax(slider)->valueInterface();
  ASSERT_NE(value, nullptr);
  EXPECT_DOUBLE_EQ(value->currentValue().toDouble(), 5);
  EXPECT_DOUBLE_EQ(value->maximumValue().toDouble(), 10);
  value->setCurrentValue(8);
  EXPECT_DOUBLE_EQ(slider->value(), 8);
  slider->setFocus(Qt::TabFocusReason);
  key(Qt::Key_Right);
  EXPECT_DOUBLE_EQ(slider->value(), 9);
  key(Qt::Key_End);
  key(Qt::Key_End);  // already at the end: nothing to report
  EXPECT_EQ(reported, 3);

  auto* dots = shown(new ui::PageIndicator(QRect(10, 60, 100, 20), page()));
  dots->setNumberOfPages(3);
  int pages = 0;
  QObject::connect(dots, &ui::Control::valueChanged, [&] { ++pages; });
  dots->setFocus(Qt::TabFocusReason);
  key(Qt::Key_Right);
  EXPECT_EQ(dots->currentPage(), 1);
  ax(dots)->valueInterface()->setCurrentValue(3);
  EXPECT_EQ(dots->currentPage(), 2);
  EXPECT_EQ(pages, 2);
  EXPECT_EQ(ax(dots)->text(QAccessible::Value), "page 3 sur 3");
}

TEST_F(AccessibilityTest, ASelectorIsOneStopWhoseArrowsTapTheNeighbouringButton) {
  auto* selector = shown(new CustomSliderText(QPoint(10, 10), 3, 0, "orange1", page()));
  QList<int> tapped;
  for (int k = 0; k < 3; ++k)
    QObject::connect(selector->button(k), &ui::Control::touchUpInside, [&tapped, k] { tapped << k; });
  EXPECT_EQ(ui::keyboardChain(page()), QList<QWidget*>{selector});
  selector->setFocus(Qt::TabFocusReason);
  key(Qt::Key_Left);  // nothing left of the first
  key(Qt::Key_Right);
  key(Qt::Key_Right);
  key(Qt::Key_Right);  // nothing right of the last
  EXPECT_EQ(tapped, (QList<int>{1, 2}));
  EXPECT_EQ(selector->selectedSection(), 2);
  EXPECT_TRUE(ax(selector->button(2))->state().selected);
  EXPECT_FALSE(ax(selector->button(0))->state().selected);
}

TEST_F(AccessibilityTest, TabReadsTheLayerWithTheKeyboardTopToBottomLeftToRightWithARing) {
  // Made in another order than shown; the hidden, disabled and touch-proof ones are skipped.
  auto button = [&](const QRect& frame, const QString& title) {
    auto* b = shown(new ui::Button(frame, page()));
    b->setTitle(title);
    return b;
  };
  ui::Button* low = button({10, 300, 100, 40}, "low");
  ui::Button* right = button({200, 50, 100, 40}, "right");
  ui::Button* left = button({10, 60, 100, 40}, "left");  // a little lower, on the same line
  button({10, 200, 100, 40}, "hidden")->hide();
  button({10, 220, 100, 40}, "disabled")->setEnabled(false);
  ui::setUserInteractionEnabled(button({10, 240, 100, 40}, "proof"), false);
  auto* toggle = shown(new CustomSwitch(QPoint(200, 150), false, "green", page()));

  QList<QWidget*> visited;
  for (int i = 0; i < 5; ++i) {
    key(Qt::Key_Tab);
    visited << QApplication::focusWidget();
  }
  EXPECT_EQ(visited, (QList<QWidget*>{left, right, toggle, low, left}));
  key(Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_EQ(QApplication::focusWidget(), low);

  key(Qt::Key_Tab, Qt::ShiftModifier);
  ui::FocusRing* ring = window.focusRing();
  EXPECT_TRUE(ring->isVisible());
  EXPECT_EQ(ring->target(), toggle);
  EXPECT_EQ(ring->color(), ui::themeColor("green"));
  QTest::mouseClick(page(), Qt::LeftButton, {}, QPoint(300, 400));
  EXPECT_FALSE(ring->isVisible()) << "a touch puts the ring away";
  key(Qt::Key_Tab);
  key(Qt::Key_Tab, Qt::ShiftModifier);
  EXPECT_TRUE(ring->isVisible());
  EXPECT_EQ(ring->target(), toggle);

  // An alert has the keyboard alone: Tab goes through its buttons, Escape is its cancel button.
  auto* alert = new ui::AlertView("Attention", "Message", nullptr, "Annuler");
  alert->addButtonWithTitle("OK");
  int pressed = -1;
  alert->setButtonHandler([&](ui::AlertView*, int index) { pressed = index; });
  alert->show(&window);
  EXPECT_EQ(ax(alert->panel())->role(), QAccessible::AlertMessage);
  EXPECT_EQ(ax(alert->panel())->text(QAccessible::Name), "Attention");
  key(Qt::Key_Tab);
  key(Qt::Key_Tab);
  EXPECT_EQ(QApplication::focusWidget(), alert->buttonAtIndex(1));
  key(Qt::Key_Escape);
  EXPECT_EQ(pressed, 0);
}

TEST_F(AccessibilityTest, EscapeGoesBackOneScreenAndTheKeyboardReturnsWhereItWas) {
  auto* opener = shown(new ui::Button(QRect(10, 60, 100, 40), page()));
  opener->setTitle("Ouvrir");
  opener->setFocus(Qt::TabFocusReason);
  auto* second = new ui::Screen();
  second->setTitle("Second");
  root->setTitle("Menu");
  navigation->pushViewController(second, false);
  ui::Button* back = navigation->navigationBar()->backButton();
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(ax(back)->text(QAccessible::Name), "Retour");

  key(Qt::Key_Escape);
  QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
  EXPECT_EQ(navigation->topViewController(), root);
  EXPECT_EQ(QApplication::focusWidget(), opener);
  key(Qt::Key_Escape);  // the root stays
  EXPECT_EQ(navigation->topViewController(), root);
}

TEST_F(AccessibilityTest, KeysReachNothingUnderTheProgressOverlayWhichSaysItIsBusy) {
  auto* button = shown(new ui::Button(QRect(10, 60, 100, 40), page()));
  button->setTitle("Allumer");
  int taps = 0;
  QObject::connect(button, &ui::Control::touchUpInside, [&] { ++taps; });
  ui::ProgressHUD hud(page());
  hud.show(false);
  QWidget* panel = hud.view()->findChild<QWidget*>(QStringLiteral("hudPanel"));
  ASSERT_NE(panel, nullptr);
  EXPECT_EQ(ax(panel)->role(), QAccessible::ProgressBar);
  EXPECT_TRUE(ax(panel)->state().busy);

  button->setFocus(Qt::TabFocusReason);
  key(Qt::Key_Space);
  EXPECT_EQ(taps, 0);
  hud.hide(false);
  key(Qt::Key_Space);
  EXPECT_EQ(taps, 1);
}

}  // namespace
