#include "controls/CustomNavBar.h"

CustomNavBar::CustomNavBar(QWidget* parent) : ui::NavigationBar(parent) {
  setObjectName(QStringLiteral("customNavBar"));
  setBackgroundImageName(QStringLiteral("nav_bar.png"));
}
