#include "ui/ArtCache.h"
#include "ui/Image.h"

#include "support/TempDir.h"

#include <QDir>
#include <QFile>
#include <QPainter>

#include <gtest/gtest.h>

using ui::ArtCache;
using ui::Image;

namespace {

const QByteArray kHalves = R"(<svg xmlns="http://www.w3.org/2000/svg" width="20" height="10">)"
                           R"(<rect width="10" height="10" fill="#ff0000"/><rect x="10" width="10" height="10" fill="#0000ff"/></svg>)";

class ArtCacheTest : public ::testing::Test {
 protected:
  void SetUp() override { ArtCache::setFolder(dir.path()); }
  void TearDown() override { ArtCache::setFolder(QString()); }

  static QImage drawn(const Image& image) {
    QImage canvas(image.size().toSize(), QImage::Format_ARGB32_Premultiplied);
    canvas.fill(Qt::transparent);
    QPainter painter(&canvas);
    image.draw(painter, QRectF(QPointF(0, 0), image.size()));
    return canvas;
  }
  QStringList entries() const { return QDir(dir.path()).entryList({QStringLiteral("*.art")}, QDir::Files); }

  tbtest::TempDir dir;
};

// The size read from the root element without parsing must be the parser's, or every picture
// of the app would be laid out at another size once the cache is on.
TEST_F(ArtCacheTest, ThePicturesSizeIsTheParsersWhetherOrNotItIsParsed) {
  QStringList sources = QDir(QStringLiteral(":/images")).entryList({QStringLiteral("*.svg")}, QDir::Files);
  ASSERT_FALSE(sources.isEmpty());
  QList<QByteArray> documents;
  for (const QString& name : sources) {
    QFile file(QStringLiteral(":/images/") + name);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    documents << file.readAll();
  }
  // Declarations the quick reading leaves to the parser, and a root with nothing but a viewBox.
  documents << R"(<svg xmlns="http://www.w3.org/2000/svg" width="10.5" height="8"/>)"
            << R"(<svg xmlns="http://www.w3.org/2000/svg" width="100%" height="100%" viewBox="0 0 30 20"/>)"
            << R"(<svg xmlns="http://www.w3.org/2000/svg" width="12pt" height="12pt"/>)"
            << R"(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0,0, 40 25"/>)"
            << R"(<?xml version="1.0"?><!-- art --><svg xmlns="http://www.w3.org/2000/svg" width="16px" height="9px"/>)";
  for (const QByteArray& svg : documents) {
    ArtCache::setFolder(QString());
    const QSizeF parsed = Image::fromSvg(svg, QStringLiteral("art")).size();
    ArtCache::setFolder(dir.path());
    EXPECT_EQ(Image::fromSvg(svg, QStringLiteral("art")).size(), parsed) << svg.left(120).constData();
  }
}

TEST_F(ArtCacheTest, ARenderingIsReadBackByTheNextRunAndADamagedOneIsDrawnAgain) {
  const QImage first = drawn(Image::fromSvg(kHalves, QStringLiteral("halves")));
  ASSERT_EQ(first.pixelColor(2, 5), QColor(Qt::red));
  ASSERT_EQ(entries().size(), 1);
  const QString entry = dir.file(entries().first());

  // What a later run finds is what it draws: here an entry overwritten with green pixels.
  QImage green = first;
  green.fill(Qt::green);
  QFile file(entry);
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  file.seek(16);
  file.write(reinterpret_cast<const char*>(green.constBits()), green.sizeInBytes());
  file.close();
  EXPECT_EQ(drawn(Image::fromSvg(kHalves, QStringLiteral("halves"))).pixelColor(2, 5), QColor(Qt::green));

  // Other bytes are another picture, never the kept one.
  QByteArray changed = kHalves;
  changed.replace("#ff0000", "#ffff00");
  EXPECT_EQ(drawn(Image::fromSvg(changed, QStringLiteral("halves"))).pixelColor(2, 5), QColor(Qt::yellow));

  // Cut short, the entry is ignored, drawn again from the source and kept whole.
  ASSERT_TRUE(file.open(QIODevice::ReadWrite));
  ASSERT_TRUE(file.resize(100));
  file.close();
  EXPECT_EQ(drawn(Image::fromSvg(kHalves, QStringLiteral("halves"))).pixelColor(2, 5), QColor(Qt::red));
  EXPECT_EQ(QFileInfo(entry).size(), 16 + first.sizeInBytes());
}

TEST_F(ArtCacheTest, ASourceBrokenPastItsRootDrawsNothingAndKeepsNothing) {
  const Image broken = Image::fromSvg(R"(<svg xmlns="http://www.w3.org/2000/svg" width="8" height="8"><rect width=)",
                                      QStringLiteral("broken"));
  EXPECT_EQ(broken.size(), QSizeF(8, 8));
  QImage canvas(8, 8, QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&canvas);
  EXPECT_FALSE(broken.draw(painter, QRectF(0, 0, 8, 8)));
  EXPECT_TRUE(entries().isEmpty());
}

}  // namespace
