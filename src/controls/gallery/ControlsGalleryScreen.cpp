#include "controls/gallery/ControlsGalleryScreen.h"

#include "ui/Button.h"
#include "ui/Fonts.h"
#include "ui/Images.h"
#include "ui/Label.h"
#include "ui/NavigationController.h"
#include "ui/ScrollView.h"
#include "ui/Views.h"

#include "foundation/Strings.h"

#include <memory>

namespace controls::gallery {

GalleryPageScreen::GalleryPageScreen(GalleryPage* page) : m_page(page), m_unplaced(page) {
  setTitle(page->title());
}

GalleryPageScreen::~GalleryPageScreen() = default;

void GalleryPageScreen::loadView() {
  auto* view = new QWidget();
  view->resize(GalleryPage::kWidth, GalleryPage::kHeight);
  ui::setBackgroundColor(view, QColor(0xe9, 0xed, 0xf2));
  m_page->setParent(view);
  m_unplaced.release();
  m_page->move(0, 0);
  m_page->show();
  setView(view);
}

ControlsGalleryScreen::ControlsGalleryScreen() { setTitle(foundation::localized("kCtrlGalleryTitle")); }

GalleryPageScreen* ControlsGalleryScreen::openPage(int index, bool animated) {
  const auto& pages = galleryPages();
  if (index < 0 || index >= int(pages.size()) || !navigationController()) return nullptr;
  auto* screen = new GalleryPageScreen(pages[size_t(index)]());
  navigationController()->pushViewController(screen, animated);
  return screen;
}

void ControlsGalleryScreen::loadView() {
  auto* scroll = new ui::ScrollView(QRect(0, 0, GalleryPage::kWidth, GalleryPage::kHeight), nullptr);
  ui::setBackgroundColor(scroll, QColor(0xe9, 0xed, 0xf2));
  const auto& pages = galleryPages();
  int y = 16;
  for (int i = 0; i < int(pages.size()); ++i) {
    // The page is made once to read its title; the screen builds its own when opened.
    std::unique_ptr<GalleryPage> page(pages[size_t(i)]());
    auto* row = new ui::Button(QRect(12, y, GalleryPage::kWidth - 24, 48), scroll->contentView());
    row->setBackgroundImage(ui::Images::named(QStringLiteral("section_bottom_bg.png")).withCapInsets(QMargins(14, 14, 14, 14)));
    row->setTitle(page->title());
    row->setTitleColor(QColor(0x1d, 0x28, 0x3a));
    row->setTitleColor(QColor(0x16, 0x71, 0xad), ui::Control::Highlighted);
    row->setTitleFont(ui::Fonts::font(QStringLiteral("Valdo-Regular"), 16));
    connect(row, &ui::Control::touchUpInside, this, [this, i] { openPage(i); });
    y += 56;
  }
  scroll->setContentSize(QSize(GalleryPage::kWidth, y + 8));
  setView(scroll);
}

}  // namespace controls::gallery
