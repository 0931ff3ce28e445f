#pragma once
// The main menu: the root of the navigation stack. A header picture, the two menu columns side by
// side and a footer. It opens the screen a column chooses (itemChosen) and returns to itself after
// a session time-out and a new sign-in (kRenewSession).
#include "ui/Screen.h"

#include "foundation/NotificationCenter.h"

#include <QStringList>

#include <memory>

class LeftVerticalNav;
class RightVerticalNav;

namespace ui {
class Button;
class ImageView;
class Label;
}  // namespace ui

class RootViewController : public ui::Screen {
  Q_OBJECT
 public:
  static constexpr int kColumnsTop = 44;
  static constexpr int kColumnsHeight = 465;

  // The screens the menu opens, in the order navItemClicked compares the chosen name with them.
  static const QStringList& screenNames();

  explicit RootViewController(QObject* parent = nullptr);
  ~RootViewController() override;

  LeftVerticalNav* leftVerticalNavTableCtrl() const { return m_left.get(); }
  RightVerticalNav* rightVerticalNavTableCtrl() const { return m_right.get(); }
  ui::Label* footerLabel() const { return m_footer; }
  ui::Button* settingsButton() const { return m_settings; }

  void viewWillAppear(bool animated) override;

  // Opens a new screen of the kind chosen last (UISessionManager), if the app has one.
  void navItemClicked();
  // Opens the settings (the bar's button).
  void openSettings();
  // Back to the menu, whatever is open.
  void loginAfterSessionTimeOut();

 protected:
  void viewDidLoad() override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void layoutFooter();
  void push(ui::Screen* screen);

  std::unique_ptr<LeftVerticalNav> m_left;
  std::unique_ptr<RightVerticalNav> m_right;
  ui::ImageView* m_top = nullptr;
  ui::ImageView* m_bottom = nullptr;
  ui::Label* m_footer = nullptr;
  ui::Button* m_settings = nullptr;
  foundation::Observations m_observations;
};
