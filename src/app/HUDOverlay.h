#pragma once
// The progress overlay as the service layer sees it (backend::ProgressOverlay), drawn by the
// toolkit's ProgressHUD. The session store keeps it for the whole run, so it may outlive the
// window it was made for: then it does nothing.
#include "backend/ProgressOverlay.h"

#include <QPointer>

namespace ui {
class ProgressHUD;
}

namespace app {

class HUDOverlay final : public backend::ProgressOverlay {
 public:
  explicit HUDOverlay(ui::ProgressHUD* hud);
  void show(bool animated) override;
  void hide(bool animated) override;
  ui::ProgressHUD* hud() const { return m_hud; }

 private:
  QPointer<ui::ProgressHUD> m_hud;
};

}  // namespace app
