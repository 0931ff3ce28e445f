#pragma once
// The navigation bar above the screens the menu opens: the app's own picture ("nav_bar.png")
// stretched over the whole bar instead of the toolkit's standard background.
#include "ui/NavigationBar.h"
#include "ui/NavigationItem.h"  // the bar keeps guarded pointers to its items

class CustomNavBar : public ui::NavigationBar {
  Q_OBJECT
 public:
  explicit CustomNavBar(QWidget* parent = nullptr);
};
