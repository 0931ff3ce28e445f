#pragma once
// A picture in points: drawn from an SVG source (crisp at every display scale) or from raster
// data (camera stills). Copies share the source. An image may carry cap insets: drawn larger
// than its natural size, its corners keep their size and only the middle stretches.
#include <QColor>
#include <QImage>
#include <QMargins>
#include <QPixmap>
#include <QSizeF>
#include <QString>

#include <memory>

class QPainter;
class QRectF;
class QSvgRenderer;

namespace ui {

class Image {
 public:
  Image() = default;

  // From SVG markup; null when it does not parse.
  static Image fromSvg(const QByteArray& svg, const QString& name = QString());
  // From raster data; a device pixel ratio above 1 makes the natural size smaller than the pixels.
  static Image fromImage(const QImage& image, const QString& name = QString());
  // Decodes PNG, JPEG, GIF or SVG bytes; null when they are none of these or are damaged. Without
  // a name, a raster picture is decoded when it is first drawn (its header is read now).
  static Image fromData(const QByteArray& data, const QString& name = QString());

  bool isNull() const { return !m_source; }
  // Every pixel drawn is fully opaque (a photograph): nothing under it needs painting.
  bool isOpaque() const;
  // The name the picture was asked for (empty for decoded data).
  const QString& name() const { return m_name; }
  Image withName(const QString& name) const;
  // Natural size in points.
  QSizeF size() const;

  // Stretchable image: `leftCap` points on the left and `topCap` on the top keep their size, the
  // next point-wide column and row stretch, and the rest keeps its size. Zero means no stretching
  // along that axis beyond plain scaling.
  Image stretchable(int leftCap, int topCap) const;
  Image withCapInsets(const QMargins& caps) const;
  const QMargins& capInsets() const { return m_caps; }

  // The picture coloured in colour blend: hue and saturation from `color`, lightness from the
  // picture, its own transparency kept. An invalid colour gives the picture unchanged.
  Image tinted(const QColor& color) const;
  const QColor& tint() const { return m_tint; }

  // Draws into `target` (points), stretching by the cap insets when there are any; false when
  // nothing could be drawn (decoded data found damaged past its header).
  bool draw(QPainter& painter, const QRectF& target) const;
  // Renders at `size` points for a display of `devicePixelRatio`.
  QPixmap pixmap(const QSizeF& size, qreal devicePixelRatio = 1.0) const;
  QPixmap pixmap(qreal devicePixelRatio = 1.0) const { return pixmap(size(), devicePixelRatio); }
  QImage toImage(const QSizeF& size, qreal devicePixelRatio = 1.0) const;

 private:
  struct Source;
  QPixmap render(const QSize& pixels) const;
  std::shared_ptr<Source> m_source;
  QString m_name;
  QMargins m_caps;
  QColor m_tint;
};

// Colour-blends `image` in place with `color` (hue and saturation from the colour, luminosity
// from the image); transparency is kept.
void colorBlend(QImage& image, const QColor& color);

}  // namespace ui
