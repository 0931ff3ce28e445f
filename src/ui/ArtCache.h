#pragma once
// Renderings of the app's own pictures kept on disk from one run to the next. Parsing and painting
// the SVG art of the first screen is a good part of a start; a later start reads the pixels back
// instead. An entry is named after the picture's bytes, its size in pixels and its tint, so that
// changed art never finds an old rendering. Off until the app names a folder (tests and tools keep
// nothing); an entry found damaged is ignored and replaced.
#include <QImage>
#include <QRgb>
#include <QSize>
#include <QString>

namespace ui {

class ArtCache final {
 public:
  // Set once at start, before the first picture is drawn; empty turns the cache off.
  static void setFolder(const QString& folder);
  static bool isOn();

  // The name of a picture's source in the cache: a digest of its bytes.
  static QString sourceKey(const QByteArray& source);

  // The rendering kept for `sourceKey` at `pixels` with `tint` (0: none); null when there is none
  // or it is damaged.
  static QImage find(const QString& sourceKey, const QSize& pixels, QRgb tint);
  // Keeps `rendering` (any format; stored premultiplied) for later runs. Failures only cost the
  // next run a rendering: they are logged, never raised.
  static void keep(const QString& sourceKey, const QImage& rendering, QRgb tint);

  // Most entries kept: past it the oldest go, so that art changed by updates does not pile up.
  static constexpr int kMaxEntries = 400;
};

}  // namespace ui
