#include "controls/gallery/ControlsGalleryScreen.h"
#include "controls/gallery/GalleryPage.h"

#include "ui/Images.h"
#include "ui/Theme.h"

#include <QSet>

#include <gtest/gtest.h>

#include <memory>

// Every picture the controls ask for exists in every theme: a missing template would draw
// nothing where a switch or a play button should be.
TEST(ControlPictures, ExistInEveryTheme) {
  for (const char* plain : {"switch_btn.png", "switch_off.png", "switchBlueBg.png", "slide_empty.png", "v_line.png",
                            "play_off.png", "stop_off.png"}) {
    EXPECT_TRUE(ui::Images::exists(QString::fromLatin1(plain))) << plain;
  }
  for (const QString& id : ui::themeColorIds()) {
    for (const char* pattern : {"switch_on_%1.png", "slide_%1.png", "slide_btn_%1.png", "play_on_%1.png"}) {
      const QString name = QString::fromLatin1(pattern).arg(id);
      EXPECT_TRUE(ui::Images::exists(name)) << qPrintable(name);
    }
  }
}

TEST(ControlsGallery, EveryPageBuildsAndGoesThroughItsStates) {
  QSet<QString> names;
  for (const controls::gallery::GalleryPageFactory& factory : controls::gallery::galleryPages()) {
    std::unique_ptr<controls::gallery::GalleryPage> page(factory());
    const QString name = page->name();
    EXPECT_FALSE(name.isEmpty());
    EXPECT_FALSE(name.contains(QLatin1Char(' '))) << qPrintable(name);
    EXPECT_FALSE(names.contains(name)) << "two pages named " << qPrintable(name);
    names.insert(name);
    EXPECT_FALSE(page->title().isEmpty()) << qPrintable(name);
    page->show();
    for (const QString& state : page->states()) page->enterState(state);
  }
  EXPECT_GE(names.size(), 3);
}
