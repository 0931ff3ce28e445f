#include "app/HUDOverlay.h"

#include <QWidget>  // before ProgressHUD.h, which guards widgets it only declares
#include "ui/ProgressHUD.h"

namespace app {

HUDOverlay::HUDOverlay(ui::ProgressHUD* hud) : m_hud(hud) {}

void HUDOverlay::show(bool animated) {
  if (m_hud) m_hud->show(animated);
}

void HUDOverlay::hide(bool animated) {
  if (m_hud) m_hud->hide(animated);
}

}  // namespace app
