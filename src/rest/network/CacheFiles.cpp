#include "rest/network/CacheFiles.h"

#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>

#include <cstdio>
#include <sys/stat.h>

namespace rest::cache {

namespace {
constexpr const char* kBodySizeKey = "X-REST-CACHED-BODY-SIZE";
constexpr const char* kBodyDigestKey = "X-REST-CACHED-BODY-MD5";
}  // namespace

std::optional<FileStamp> stampOf(const QByteArray& encodedPath) {
  struct stat info;
  if (::stat(encodedPath.constData(), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  return FileStamp{static_cast<quint64>(info.st_ino), static_cast<qint64>(info.st_size),
                   static_cast<qint64>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
                   static_cast<qint64>(info.st_ctim.tv_sec) * 1000000000 + info.st_ctim.tv_nsec};
}

QString writeTemporaryFile(const QString& path, const QByteArray& bytes) {
  const QString temporary = path + QStringLiteral(".tmp-") + QString::number(QRandomGenerator::global()->generate64(), 36);
  QFile file(temporary);
  // Created owner-only from the start (never widened by the umask, never narrowed afterwards).
  if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly, QFileDevice::ReadOwner | QFileDevice::WriteOwner))
    return QString();
  const bool written = file.write(bytes) == bytes.size() && file.flush();
  file.close();
  if (!written) {
    QFile::remove(temporary);
    return QString();
  }
  return temporary;
}

bool moveIntoPlace(const QString& temporary, const QString& path) {
  const QByteArray target = QFile::encodeName(path);
  ::remove(target.constData());
  if (::rename(QFile::encodeName(temporary).constData(), target.constData()) != 0) {
    QFile::remove(temporary);
    return false;
  }
  return true;
}

QByteArray encodeHeaders(const HeaderMap& headers, qint64 bodySize, const QString& bodyDigest) {
  QJsonObject object;
  for (auto it = headers.begin(); it != headers.end(); ++it) object.insert(it.key(), it.value());
  object.insert(QLatin1String(kCachedResponseCodeHeaderKey), headers.value(QLatin1String(kCachedResponseCodeHeaderKey)).toInt());
  object.insert(QLatin1String(kBodySizeKey), QString::number(bodySize));
  object.insert(QLatin1String(kBodyDigestKey), bodyDigest);
  return QJsonDocument(object).toJson(QJsonDocument::Compact);
}

std::optional<DecodedHeaders> decodeHeaders(const QByteArray& bytes, const char** why) {
  QJsonParseError parseError;
  const QJsonDocument document = QJsonDocument::fromJson(bytes, &parseError);
  if (parseError.error != QJsonParseError::NoError || !document.isObject()) {
    *why = "the headers do not parse";
    return std::nullopt;
  }
  const QJsonObject object = document.object();
  if (!object.value(QLatin1String(kCachedResponseCodeHeaderKey)).isDouble()) {
    *why = "no response code";
    return std::nullopt;
  }
  DecodedHeaders decoded;
  bool sizeOk = false;
  decoded.bodySize = object.value(QLatin1String(kBodySizeKey)).toString().toLongLong(&sizeOk);
  decoded.bodyDigest = object.value(QLatin1String(kBodyDigestKey)).toString();
  if (!sizeOk || decoded.bodySize < 0 || decoded.bodyDigest.size() != 32) {
    *why = "no integrity keys";
    return std::nullopt;
  }
  for (auto it = object.begin(); it != object.end(); ++it) {
    if (it.key() == QLatin1String(kBodySizeKey) || it.key() == QLatin1String(kBodyDigestKey)) continue;
    decoded.headers.insert(it.key(), it.value().isDouble() ? QString::number(it.value().toInteger()) : it.value().toString());
  }
  return decoded;
}

}  // namespace rest::cache
