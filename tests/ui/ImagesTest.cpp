#include "ui/Button.h"
#include "ui/ImageView.h"
#include "ui/Images.h"
#include "ui/Theme.h"

#include "support/TempDir.h"

#include <QBuffer>
#include <QFile>
#include <QPainter>
#include <QPixmapCache>

#include <gtest/gtest.h>

using ui::Image;
using ui::Images;

namespace {

// A folder of test pictures searched before the built-in ones: a colour template and a picture
// whose corners differ from its middle.
class ImagesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    write("knob_{color}.svg",
          R"(<svg xmlns="http://www.w3.org/2000/svg" width="20" height="10">)"
          R"(<rect width="10" height="10" fill="{theme}"/><rect x="10" width="10" height="10" fill="{theme-dark}"/></svg>)");
    write("frame.svg",
          R"(<svg xmlns="http://www.w3.org/2000/svg" width="30" height="30">)"
          R"(<rect width="30" height="30" fill="#0000ff"/><rect x="10" y="10" width="10" height="10" fill="#ff0000"/></svg>)");
    write("broken.svg", "<svg this is not svg");
    Images::addSearchPath(dir.path());
  }
  void TearDown() override { Images::removeSearchPath(dir.path()); }

  void write(const QString& name, const QByteArray& content) {
    QFile file(dir.file(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(content);
  }

  static QImage render(const Image& image) { return image.toImage(image.size(), 1.0); }

  tbtest::TempDir dir;
};

}  // namespace

TEST_F(ImagesTest, TheToolkitsOwnPicturesAreBuiltIn) {
  for (const char* name : {"ui_navbar.png", "ui_nav_back.png", "ui_nav_back_pressed.png", "ui_nav_button.png",
                           "ui_nav_button_done.png", "ui_alert_panel.png", "ui_alert_button.png",
                           "ui_alert_button_pressed.png", "ui_hud_panel.png", "ui_status_battery.png",
                           "ui_status_signal.png"}) {
    const Image image = Images::named(QString::fromLatin1(name));
    EXPECT_FALSE(image.isNull()) << name;
    EXPECT_FALSE(image.size().isEmpty()) << name;
  }
}

TEST_F(ImagesTest, NamesAreLookedUpWithoutExtensionOrResolutionSuffix) {
  EXPECT_EQ(Images::baseName(QStringLiteral("switch_on_green.png")), QStringLiteral("switch_on_green"));
  EXPECT_EQ(Images::baseName(QStringLiteral("images/nav_bar@2x.png")), QStringLiteral("nav_bar"));
  EXPECT_EQ(Images::baseName(QStringLiteral("photo.JPG")), QStringLiteral("photo"));
  // The image keeps the name exactly as asked for.
  EXPECT_EQ(Images::named(QStringLiteral("frame.png")).name(), QStringLiteral("frame.png"));
  EXPECT_EQ(Images::named(QStringLiteral("frame")).name(), QStringLiteral("frame"));
}

TEST_F(ImagesTest, ColourVariantsComeFromOneTemplateAndUnknownIdsDrawAsRed) {
  const QImage blue = render(Images::named(QStringLiteral("knob_blue.png")));
  const QImage red = render(Images::named(QStringLiteral("knob_red.png")));
  ASSERT_FALSE(blue.isNull());
  EXPECT_EQ(QColor(blue.pixel(5, 5)).rgb(), ui::themeColor(QStringLiteral("blue")).rgb());
  EXPECT_EQ(QColor(red.pixel(5, 5)).rgb(), ui::themeColor(QStringLiteral("red")).rgb());
  // The dark shade of the theme is darker than the theme itself.
  EXPECT_LT(QColor(blue.pixel(15, 5)).lightness(), QColor(blue.pixel(5, 5)).lightness());
  for (const QString& id : ui::themeColorIds()) {
    EXPECT_FALSE(Images::named(QStringLiteral("knob_%1.png").arg(id)).isNull()) << qPrintable(id);
  }
  for (const char* unknown : {"knob_.png", "knob_Blue.png", "knob_magenta.png"}) {
    const Image image = Images::named(QString::fromLatin1(unknown));
    EXPECT_EQ(render(image), red) << unknown;
    EXPECT_EQ(image.name(), QString::fromLatin1(unknown));
  }
}

TEST_F(ImagesTest, AMissingOrBrokenPictureIsNullButKeepsItsNameForTheWidgetShowingIt) {
  for (const char* name : {"no_such_picture.png", "broken.png"}) {
    const Image image = Images::named(QString::fromLatin1(name));
    EXPECT_TRUE(image.isNull()) << name;
    EXPECT_EQ(image.name(), QString::fromLatin1(name));
  }
  ui::ImageView view(QStringLiteral("no_such_picture.png"), nullptr);
  EXPECT_EQ(view.imageName(), QStringLiteral("no_such_picture.png"));
  view.resize(40, 40);
  EXPECT_FALSE(view.grab().isNull());  // drawing nothing is fine

  ui::Button button;
  button.setImageName(QStringLiteral("knob_green.png"));
  button.setBackgroundImageName(QStringLiteral("frame.png"), ui::Control::Highlighted);
  EXPECT_EQ(button.currentImageName(), QStringLiteral("knob_green.png"));
  EXPECT_EQ(button.currentBackgroundImageName(), QString());
}

TEST_F(ImagesTest, StretchingKeepsTheCapsAndStretchesOnlyTheMiddle) {
  const Image frame = Images::named(QStringLiteral("frame.png")).withCapInsets(QMargins(10, 10, 10, 10));
  QImage canvas(90, 60, QImage::Format_ARGB32);
  canvas.fill(Qt::transparent);
  {
    QPainter painter(&canvas);
    frame.draw(painter, QRectF(0, 0, 90, 60));
  }
  // Corners and edges keep their 10 points of blue; the red middle fills all the rest.
  EXPECT_EQ(QColor(canvas.pixel(5, 5)), QColor(Qt::blue));
  EXPECT_EQ(QColor(canvas.pixel(84, 54)), QColor(Qt::blue));
  EXPECT_EQ(QColor(canvas.pixel(45, 5)), QColor(Qt::blue));
  EXPECT_EQ(QColor(canvas.pixel(12, 30)), QColor(Qt::red));
  EXPECT_EQ(QColor(canvas.pixel(77, 48)), QColor(Qt::red));

  // Without caps the whole picture scales: its blue border grows with it.
  QImage scaled(90, 60, QImage::Format_ARGB32);
  scaled.fill(Qt::transparent);
  {
    QPainter painter(&scaled);
    Images::named(QStringLiteral("frame.png")).draw(painter, QRectF(0, 0, 90, 60));
  }
  EXPECT_EQ(QColor(scaled.pixel(25, 30)), QColor(Qt::blue));
}

TEST_F(ImagesTest, StretchableLeavesOneStretchingColumnAfterTheLeftCap) {
  const Image image = Images::named(QStringLiteral("knob_blue.png")).stretchable(6, 0);
  EXPECT_EQ(image.capInsets(), QMargins(6, 0, 13, 0));  // 20 wide: 6 + 1 + 13
}

TEST_F(ImagesTest, TintKeepsTransparencyAndLightnessOrderWhileTakingTheHue) {
  QImage image(3, 1, QImage::Format_ARGB32);
  image.setPixel(0, 0, qRgba(40, 40, 40, 255));
  image.setPixel(1, 0, qRgba(200, 200, 200, 255));
  image.setPixel(2, 0, qRgba(0, 0, 0, 0));
  ui::colorBlend(image, QColor(Qt::green));
  const QColor dark(image.pixel(0, 0));
  const QColor light(image.pixel(1, 0));
  EXPECT_EQ(qAlpha(image.pixel(2, 0)), 0);
  EXPECT_LT(dark.lightness(), light.lightness());
  EXPECT_NEAR(dark.hsvHue(), 120, 2);
  EXPECT_NEAR(light.hsvHue(), 120, 2);
}

// A camera's stills come every few seconds, each a new picture: each keeps its own rendering
// (drawn again without rendering again) and none of them fills the shared pixmap cache.
TEST_F(ImagesTest, ADecodedPictureKeepsItsRenderingToItselfAndANamedOneShares) {
  QImage raster(40, 30, QImage::Format_RGB32);
  raster.fill(Qt::darkGreen);
  const ui::Image still = ui::Image::fromImage(raster);
  const qint64 first = still.pixmap(QSizeF(20, 15)).cacheKey();
  QPixmapCache::clear();
  EXPECT_EQ(still.pixmap(QSizeF(20, 15)).cacheKey(), first) << "rendered again";
  EXPECT_NE(still.pixmap(QSizeF(40, 30)).cacheKey(), first) << "another size is another rendering";

  const ui::Image named = ui::Image::fromImage(raster, QStringLiteral("art"));
  const qint64 shared = named.pixmap(QSizeF(20, 15)).cacheKey();
  EXPECT_EQ(named.pixmap(QSizeF(20, 15)).cacheKey(), shared);
  QPixmapCache::clear();
  EXPECT_NE(named.pixmap(QSizeF(20, 15)).cacheKey(), shared) << "named pictures live in the shared cache";
}

TEST_F(ImagesTest, DecodingRejectsDataThatIsNoPicture) {
  EXPECT_TRUE(Image::fromData(QByteArray()).isNull());
  EXPECT_TRUE(Image::fromData(QByteArray("\x89PNG\r\n\x1a\n garbage", 17)).isNull());
  EXPECT_TRUE(Image::fromData(QByteArray(4096, '\x07')).isNull());
  QImage still(8, 6, QImage::Format_RGB32);
  still.fill(Qt::darkCyan);
  QByteArray png;
  QBuffer buffer(&png);
  buffer.open(QIODevice::WriteOnly);
  still.save(&buffer, "PNG");
  const Image decoded = Image::fromData(png);
  ASSERT_FALSE(decoded.isNull());
  EXPECT_EQ(decoded.size(), QSizeF(8, 6));
}

// A photograph in a view that it covers paints all of it (nothing under it is painted when it
// changes); a picture with transparency, or one that leaves part of the view, does not.
TEST_F(ImagesTest, AnOpaquePictureCoveringItsViewMakesTheViewOpaqueAndDrawsAsDecoded) {
  const auto encoded = [](const QImage& picture, const char* format) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    picture.save(&buffer, format);
    return bytes;
  };
  QImage photo(40, 30, QImage::Format_RGB32);
  photo.fill(QColor(200, 30, 30));
  QImage badge(40, 30, QImage::Format_ARGB32);
  badge.fill(Qt::transparent);

  const Image still = Image::fromData(encoded(photo, "JPEG"));
  ASSERT_FALSE(still.isNull());
  EXPECT_EQ(still.size(), QSizeF(40, 30));
  EXPECT_TRUE(still.isOpaque());
  EXPECT_FALSE(Image::fromData(encoded(badge, "PNG")).isOpaque());
  const QColor drawn = still.toImage(QSizeF(40, 30)).pixelColor(20, 15);
  EXPECT_NEAR(drawn.red(), 200, 8);
  EXPECT_NEAR(drawn.green(), 30, 8);

  ui::ImageView view(QRect(0, 0, 40, 20), nullptr);
  view.setContentMode(ui::ImageView::ContentMode::AspectFill);
  view.setImage(still);
  EXPECT_TRUE(view.testAttribute(Qt::WA_OpaquePaintEvent));
  view.setContentMode(ui::ImageView::ContentMode::AspectFit);
  EXPECT_FALSE(view.testAttribute(Qt::WA_OpaquePaintEvent)) << "the picture leaves the sides";
  view.setContentMode(ui::ImageView::ContentMode::ScaleToFill);
  view.setImage(Image::fromData(encoded(badge, "PNG")));
  EXPECT_FALSE(view.testAttribute(Qt::WA_OpaquePaintEvent));
}
