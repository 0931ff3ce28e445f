#pragma once
// The energies entry of the menu: consumption figures are not offered yet, so the screen shows
// its header and says the feature is coming. It asks the service nothing.
#include "ui/Screen.h"

class MyEnergiesController : public ui::Screen {
  Q_OBJECT
 public:
  static constexpr int kHeaderHeight = 60;

  explicit MyEnergiesController(QObject* parent = nullptr);

 protected:
  void loadView() override;
};
