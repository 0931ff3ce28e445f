#include "ui/Image.h"

#include "ui/ArtCache.h"
#include "ui/UiLogging.h"

#include <QBuffer>
#include <QImageReader>
#include <QPainter>
#include <QPixmapCache>
#include <QSvgRenderer>
#include <QXmlStreamReader>
#include <qdrawutil.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <optional>

namespace ui {

struct Image::Source {
  std::unique_ptr<QSvgRenderer> svg;
  // The app's art, while the rendering cache is on, is parsed only when a size is drawn that no
  // earlier run kept: until then these are its bytes and their name in the cache.
  QByteArray svgSource;
  QString artKey;
  bool isSvg() const { return svg || !svgSource.isEmpty(); }
  QSvgRenderer* renderer() {
    if (!svg && !svgSource.isEmpty()) {
      svg = std::make_unique<QSvgRenderer>(svgSource);
      if (!svg->isValid()) qCWarning(lcUi, "A picture is not valid SVG past its first element");
      svgSource.clear();
    }
    return svg && svg->isValid() ? svg.get() : nullptr;
  }
  QImage raster;
  // Decoded data (not the app's art) waits encoded until it is first drawn, its size and opacity
  // read from its header: a camera's still on a page nobody looks at is never decoded.
  QByteArray encoded;
  bool opaque = false;
  const QImage& pixels() {
    if (!encoded.isEmpty()) {
      raster = decode(encoded);
      encoded.clear();
    }
    return raster;
  }
  static QImage decode(const QByteArray& data) {
    QBuffer buffer;
    buffer.setData(data);
    buffer.open(QIODevice::ReadOnly);
    return QImageReader(&buffer).read();
  }
  QSizeF size;  // points
  quint64 id = 0;
  // A named picture (the app's own art) lives as long as the app and is drawn at a few sizes: its
  // renderings go to the shared pixmap cache. A decoded one (a camera's still, every few seconds
  // a new one) keeps its last rendering itself, so that it leaves with the picture instead of
  // crowding the shared cache with pictures nobody draws again.
  bool shared = false;
  QPixmap lastRendering;
  QRgb lastTint = 0;
};

namespace {

quint64 nextSourceId() {
  static std::atomic<quint64> counter{1};
  return counter++;
}

// W3C compositing "color" blend helpers, on 0..1 components.
struct Rgb {
  double r, g, b;
};
double lum(const Rgb& c) { return 0.3 * c.r + 0.59 * c.g + 0.11 * c.b; }
Rgb clipColor(Rgb c) {
  const double l = lum(c);
  const double n = std::min({c.r, c.g, c.b});
  const double x = std::max({c.r, c.g, c.b});
  if (n < 0.0 && l - n > 1e-9) {
    c = {l + (c.r - l) * l / (l - n), l + (c.g - l) * l / (l - n), l + (c.b - l) * l / (l - n)};
  }
  if (x > 1.0 && x - l > 1e-9) {
    c = {l + (c.r - l) * (1 - l) / (x - l), l + (c.g - l) * (1 - l) / (x - l), l + (c.b - l) * (1 - l) / (x - l)};
  }
  return c;
}
Rgb setLum(Rgb c, double l) {
  const double d = l - lum(c);
  return clipColor({c.r + d, c.g + d, c.b + d});
}

// The size an SVG declares on its root element, read without parsing the rest: whole-number width
// and height (plain or in px), else a whole-number viewBox's. Anything else is left to the parser.
std::optional<QSizeF> declaredSvgSize(const QByteArray& svg) {
  QXmlStreamReader reader(svg);
  while (reader.readNext() != QXmlStreamReader::StartElement) {
    if (reader.atEnd() || reader.hasError()) return std::nullopt;
  }
  if (reader.name() != QLatin1String("svg")) return std::nullopt;
  const QXmlStreamAttributes attributes = reader.attributes();
  auto whole = [](QStringView text) -> std::optional<int> {
    if (text.endsWith(QLatin1String("px"))) text.chop(2);
    bool ok = false;
    const int value = text.trimmed().toInt(&ok);
    return ok && value > 0 ? std::optional<int>(value) : std::nullopt;
  };
  const bool hasWidth = attributes.hasAttribute(QLatin1String("width"));
  const bool hasHeight = attributes.hasAttribute(QLatin1String("height"));
  if (hasWidth || hasHeight) {
    const auto w = whole(attributes.value(QLatin1String("width")));
    const auto h = whole(attributes.value(QLatin1String("height")));
    return w && h ? std::optional<QSizeF>(QSizeF(*w, *h)) : std::nullopt;
  }
  const QString viewBox = attributes.value(QLatin1String("viewBox")).toString().replace(QLatin1Char(','), QLatin1Char(' '));
  const QStringList parts = viewBox.simplified().split(QLatin1Char(' '), Qt::SkipEmptyParts);
  if (parts.size() != 4) return std::nullopt;
  const auto w = whole(parts[2]);
  const auto h = whole(parts[3]);
  return w && h ? std::optional<QSizeF>(QSizeF(*w, *h)) : std::nullopt;
}

}  // namespace

void colorBlend(QImage& image, const QColor& color) {
  if (!color.isValid() || image.isNull()) return;
  if (image.format() != QImage::Format_ARGB32) image = image.convertToFormat(QImage::Format_ARGB32);
  const Rgb source{color.redF(), color.greenF(), color.blueF()};
  for (int y = 0; y < image.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
    for (int x = 0; x < image.width(); ++x) {
      const QRgb px = line[x];
      const int a = qAlpha(px);
      if (a == 0) continue;
      const Rgb backdrop{qRed(px) / 255.0, qGreen(px) / 255.0, qBlue(px) / 255.0};
      const Rgb out = setLum(source, lum(backdrop));
      auto to8 = [](double v) { return std::clamp(static_cast<int>(std::lround(v * 255.0)), 0, 255); };
      line[x] = qRgba(to8(out.r), to8(out.g), to8(out.b), a);
    }
  }
}

Image Image::fromSvg(const QByteArray& svg, const QString& name) {
  auto source = std::make_shared<Source>();
  const std::optional<QSizeF> declared = !name.isEmpty() && ArtCache::isOn() ? declaredSvgSize(svg) : std::nullopt;
  if (declared) {
    source->size = *declared;
    source->svgSource = svg;
    source->artKey = ArtCache::sourceKey(svg);
  } else {
    auto renderer = std::make_unique<QSvgRenderer>(svg);
    if (!renderer->isValid()) return {};
    source->size = renderer->defaultSize();
    if (source->size.isEmpty()) source->size = renderer->viewBoxF().size();
    source->svg = std::move(renderer);
  }
  source->id = nextSourceId();
  source->shared = !name.isEmpty();
  Image image;
  image.m_source = std::move(source);
  image.m_name = name;
  return image;
}

Image Image::fromImage(const QImage& raster, const QString& name) {
  if (raster.isNull()) return {};
  Image image;
  auto source = std::make_shared<Source>();
  source->raster = raster;
  const qreal dpr = std::max<qreal>(1.0, raster.devicePixelRatio());
  source->size = QSizeF(raster.width() / dpr, raster.height() / dpr);
  source->id = nextSourceId();
  source->shared = !name.isEmpty();
  image.m_source = std::move(source);
  image.m_name = name;
  return image;
}

Image Image::fromData(const QByteArray& data, const QString& name) {
  if (data.isEmpty()) return {};
  QBuffer buffer;
  buffer.setData(data);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  // Refuse absurd dimensions from damaged or hostile data instead of allocating them.
  const QSize declared = reader.size();
  if (declared.isValid() && (declared.width() > 8192 || declared.height() > 8192)) return {};
  const QImage::Format format = reader.imageFormat();
  if (name.isEmpty() && !declared.isEmpty() && format != QImage::Format_Invalid) {
    Image image;
    auto source = std::make_shared<Source>();
    source->encoded = data;
    // A palette may hold transparent colours: only formats without any count as opaque.
    const bool paletted = format == QImage::Format_Indexed8 || format == QImage::Format_Mono || format == QImage::Format_MonoLSB;
    source->opaque = !paletted && QImage::toPixelFormat(format).alphaUsage() != QPixelFormat::UsesAlpha;
    source->size = QSizeF(declared);
    source->id = nextSourceId();
    image.m_source = std::move(source);
    return image;
  }
  QImage raster = reader.read();
  if (!raster.isNull()) return fromImage(raster, name);
  const QByteArray head = data.left(512).trimmed();
  if (head.startsWith("<?xml") || head.startsWith("<svg")) return fromSvg(data, name);
  return {};
}

QSizeF Image::size() const { return m_source ? m_source->size : QSizeF(); }

bool Image::isOpaque() const {
  if (!m_source || m_source->isSvg() || m_tint.isValid() || !m_caps.isNull()) return false;
  return m_source->encoded.isEmpty() ? !m_source->raster.hasAlphaChannel() : m_source->opaque;
}

Image Image::stretchable(int leftCap, int topCap) const {
  if (!m_source) return *this;
  const QSizeF natural = size();
  const int right = leftCap > 0 ? std::max(0, static_cast<int>(natural.width()) - leftCap - 1) : 0;
  const int bottom = topCap > 0 ? std::max(0, static_cast<int>(natural.height()) - topCap - 1) : 0;
  return withCapInsets(QMargins(std::max(0, leftCap), std::max(0, topCap), right, bottom));
}

Image Image::withCapInsets(const QMargins& caps) const {
  Image copy = *this;
  copy.m_caps = caps;
  return copy;
}

Image Image::withName(const QString& name) const {
  Image copy = *this;
  copy.m_name = name;
  return copy;
}

Image Image::tinted(const QColor& color) const {
  Image copy = *this;
  copy.m_tint = color;
  return copy;
}

QPixmap Image::render(const QSize& pixels) const {
  if (!m_source || pixels.isEmpty()) return {};
  const QString key = QStringLiteral("ui.image:%1:%2x%3:%4")
                          .arg(m_source->id)
                          .arg(pixels.width())
                          .arg(pixels.height())
                          .arg(m_tint.isValid() ? m_tint.rgba() : 0u);
  const QRgb tint = m_tint.isValid() ? m_tint.rgba() : 0u;
  QPixmap cached;
  if (!m_source->shared) {
    if (m_source->lastRendering.size() == pixels && m_source->lastTint == tint) return m_source->lastRendering;
  } else if (QPixmapCache::find(key, &cached)) {
    return cached;
  }

  // Kept where the next draw at this size finds it.
  const auto kept = [&](QPixmap rendering) {
    if (m_source->shared) {
      QPixmapCache::insert(key, rendering);
    } else {
      m_source->lastRendering = rendering;
      m_source->lastTint = tint;
    }
    return rendering;
  };

  // Art an earlier run rendered at this size: its pixels, read back.
  if (!m_source->artKey.isEmpty()) {
    if (QImage rendering = ArtCache::find(m_source->artKey, pixels, tint); !rendering.isNull())
      return kept(QPixmap::fromImage(std::move(rendering)));
  }
  QSvgRenderer* svg = m_source->renderer();
  if (m_source->isSvg() && !svg) return {};  // not valid SVG after all

  // A picture drawn at its own size, as it is: no canvas to paint (a camera's still, every 5 s).
  const QImage& raster = m_source->pixels();
  if (!svg && raster.isNull()) return {};  // damaged past its header
  if (!m_tint.isValid() && !svg && raster.size() == pixels) return kept(QPixmap::fromImage(raster));

  QImage canvas(pixels, QImage::Format_ARGB32_Premultiplied);
  canvas.fill(Qt::transparent);
  {
    QPainter painter(&canvas);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    if (svg) {
      svg->render(&painter, QRectF(QPointF(0, 0), QSizeF(pixels)));
    } else {
      painter.drawImage(QRectF(QPointF(0, 0), QSizeF(pixels)), raster);
    }
  }
  if (m_tint.isValid()) colorBlend(canvas, m_tint);
  if (!m_source->artKey.isEmpty()) ArtCache::keep(m_source->artKey, canvas, tint);
  return kept(QPixmap::fromImage(std::move(canvas)));
}

QPixmap Image::pixmap(const QSizeF& points, qreal dpr) const {
  dpr = std::max<qreal>(dpr, 0.1);
  const QSize pixels(static_cast<int>(std::ceil(points.width() * dpr)), static_cast<int>(std::ceil(points.height() * dpr)));
  QPixmap result = render(pixels);
  if (!result.isNull()) result.setDevicePixelRatio(dpr);
  return result;
}

QImage Image::toImage(const QSizeF& points, qreal dpr) const { return pixmap(points, dpr).toImage(); }

bool Image::draw(QPainter& painter, const QRectF& target) const {
  if (!m_source || target.isEmpty()) return false;
  const qreal dpr = painter.device() ? painter.device()->devicePixelRatioF() : 1.0;
  const bool stretches = !m_caps.isNull() && target.size() != size();
  if (!stretches) {
    const QPixmap rendering = pixmap(target.size(), dpr);
    painter.drawPixmap(target, rendering, QRectF());
    return !rendering.isNull();
  }
  // Nine-slice: render once at the natural size, then let the corners keep their size.
  QPixmap base = pixmap(size(), dpr);
  if (base.isNull()) return false;
  base.setDevicePixelRatio(1.0);  // the source rectangle and caps below are in pixels
  const QMargins sourceCaps(qRound(m_caps.left() * dpr), qRound(m_caps.top() * dpr), qRound(m_caps.right() * dpr),
                            qRound(m_caps.bottom() * dpr));
  QMargins targetCaps = m_caps;
  // Caps larger than the target would overlap; shrink them proportionally.
  const QRect rect = target.toAlignedRect();
  if (targetCaps.left() + targetCaps.right() > rect.width()) {
    const double f = rect.width() / double(std::max(1, targetCaps.left() + targetCaps.right()));
    targetCaps.setLeft(int(targetCaps.left() * f));
    targetCaps.setRight(int(targetCaps.right() * f));
  }
  if (targetCaps.top() + targetCaps.bottom() > rect.height()) {
    const double f = rect.height() / double(std::max(1, targetCaps.top() + targetCaps.bottom()));
    targetCaps.setTop(int(targetCaps.top() * f));
    targetCaps.setBottom(int(targetCaps.bottom() * f));
  }
  const QRect sourceRect(QPoint(0, 0), base.size());
  qDrawBorderPixmap(&painter, rect, targetCaps, base, sourceRect, sourceCaps);
  return true;
}

}  // namespace ui
