#pragma once
// Screens of the controls gallery: the index of its pages, and one page under a navigation bar.
#include "controls/gallery/GalleryPage.h"

#include "ui/Screen.h"

#include <memory>

namespace controls::gallery {

class GalleryPageScreen : public ui::Screen {
  Q_OBJECT
 public:
  // Takes ownership of the page.
  explicit GalleryPageScreen(GalleryPage* page);
  ~GalleryPageScreen() override;
  GalleryPage* page() const { return m_page; }

 protected:
  void loadView() override;

 private:
  GalleryPage* m_page;
  std::unique_ptr<GalleryPage> m_unplaced;  // until the view takes the page
};

class ControlsGalleryScreen : public ui::Screen {
  Q_OBJECT
 public:
  ControlsGalleryScreen();
  // Pushes the page at `index` of galleryPages(); returns it (nullptr for an index out of range).
  GalleryPageScreen* openPage(int index, bool animated = true);

 protected:
  void loadView() override;
};

}  // namespace controls::gallery
