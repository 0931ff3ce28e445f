#include "ui/ArtCache.h"

#include "ui/UiLogging.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHashFunctions>
#include <QSaveFile>
#include <QtEndian>

#include <array>
#include <cstring>
#include <utility>

namespace ui {
namespace {

// An entry: this header, then the pixels, premultiplied ARGB32, row after row without padding.
constexpr std::array<char, 8> kMagic{'T', 'B', 'A', 'R', 'T', '\0', '\0', '\1'};
constexpr qint64 kHeaderBytes = 16;

struct State {
  QString folder;
  bool pruned = false;  // once a run, when something new was kept
};

State& state() {
  static State s;
  return s;
}

QString entryPath(const QString& sourceKey, const QSize& pixels, QRgb tint) {
  return QStringLiteral("%1/%2-%3x%4-%5.art")
      .arg(state().folder, sourceKey)
      .arg(pixels.width())
      .arg(pixels.height())
      .arg(tint, 8, 16, QLatin1Char('0'));
}

qint64 pixelBytes(const QSize& pixels) { return qint64(pixels.width()) * pixels.height() * 4; }

// Beyond the most entries, the least recently written go, down to three quarters of it.
void prune() {
  QDir folder(state().folder);
  const QFileInfoList entries = folder.entryInfoList({QStringLiteral("*.art")}, QDir::Files, QDir::Time);
  if (entries.size() <= ArtCache::kMaxEntries) return;
  for (qsizetype i = ArtCache::kMaxEntries * 3 / 4; i < entries.size(); ++i) QFile::remove(entries[i].filePath());
}

}  // namespace

void ArtCache::setFolder(const QString& folder) {
  state().folder = folder;
  state().pruned = false;
}

bool ArtCache::isOn() { return !state().folder.isEmpty(); }

QString ArtCache::sourceKey(const QByteArray& source) {
  return QStringLiteral("%1-%2").arg(qHash(QByteArrayView(source), 0), 16, 16, QLatin1Char('0')).arg(source.size(), 0, 16);
}

QImage ArtCache::find(const QString& sourceKey, const QSize& pixels, QRgb tint) {
  if (!isOn() || pixels.isEmpty()) return {};
  QFile file(entryPath(sourceKey, pixels, tint));
  if (!file.open(QIODevice::ReadOnly)) return {};
  std::array<char, kHeaderBytes> header{};
  if (file.size() != kHeaderBytes + pixelBytes(pixels) || file.read(header.data(), kHeaderBytes) != kHeaderBytes ||
      std::memcmp(header.data(), kMagic.data(), kMagic.size()) != 0 ||
      qFromLittleEndian<quint32>(header.data() + 8) != quint32(pixels.width()) ||
      qFromLittleEndian<quint32>(header.data() + 12) != quint32(pixels.height())) {
    qCWarning(lcUi, "Ignoring a damaged rendering kept in %s", qPrintable(file.fileName()));
    return {};
  }
  QImage rendering(pixels, QImage::Format_ARGB32_Premultiplied);
  if (rendering.isNull() || rendering.bytesPerLine() != pixels.width() * 4) return {};
  if (file.read(reinterpret_cast<char*>(rendering.bits()), pixelBytes(pixels)) != pixelBytes(pixels)) return {};
  return rendering;
}

void ArtCache::keep(const QString& sourceKey, const QImage& rendering, QRgb tint) {
  if (!isOn() || rendering.isNull()) return;
  const QImage pixels = rendering.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  if (pixels.bytesPerLine() != pixels.width() * 4) return;
  if (!QDir().mkpath(state().folder)) {
    qCWarning(lcUi, "Cannot keep renderings in %s", qPrintable(state().folder));
    return;
  }
  QSaveFile file(entryPath(sourceKey, pixels.size(), tint));
  std::array<char, kHeaderBytes> header{};
  std::memcpy(header.data(), kMagic.data(), kMagic.size());
  qToLittleEndian<quint32>(quint32(pixels.width()), header.data() + 8);
  qToLittleEndian<quint32>(quint32(pixels.height()), header.data() + 12);
  if (!file.open(QIODevice::WriteOnly) || file.write(header.data(), kHeaderBytes) != kHeaderBytes ||
      file.write(reinterpret_cast<const char*>(pixels.constBits()), pixelBytes(pixels.size())) != pixelBytes(pixels.size()) ||
      !file.commit()) {
    qCWarning(lcUi, "Cannot keep a rendering in %s: %s", qPrintable(file.fileName()), qPrintable(file.errorString()));
    return;
  }
  if (!std::exchange(state().pruned, true)) prune();
}

}  // namespace ui
