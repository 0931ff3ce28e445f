#pragma once
// The files of one response-cache entry: the body file, named by the request's cache key, and
// "<key>.headers", a JSON object of the stored header fields plus the body's size and MD5.
#include "rest/network/RestResponse.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace rest::cache {

inline constexpr const char* kHeadersExtension = ".headers";

// Identity of a file's current content: a file rewritten in any way gets another stamp.
struct FileStamp {
  quint64 inode = 0;
  qint64 size = -1;
  qint64 modifiedNs = 0;
  qint64 changedNs = 0;
  bool operator==(const FileStamp&) const = default;
};

// The stamp of a regular file, or none (missing, not a regular file).
std::optional<FileStamp> stampOf(const QByteArray& encodedPath);

// Writes `bytes` to a new file beside `path` under a unique temporary name; returns that name,
// or "" when the file cannot be written (nothing is left behind then).
QString writeTemporaryFile(const QString& path, const QByteArray& bytes);

// Puts a temporary file in place of `path`. The old file is removed first and not renamed over,
// because renaming over an existing file makes ext4 flush the new data at once, which costs
// milliseconds; an entry missing a file reads as absent meanwhile. There is no flush either:
// after a power loss a file may be short or empty, which the size and digest checks of every
// read catch.
bool moveIntoPlace(const QString& temporary, const QString& path);

// The headers file's content. The response code is written as a number, the integrity keys as
// text.
QByteArray encodeHeaders(const HeaderMap& headers, qint64 bodySize, const QString& bodyDigest);

struct DecodedHeaders {
  HeaderMap headers;  // the integrity keys taken out
  qint64 bodySize = -1;
  QString bodyDigest;
};
// Reads a headers file's content; on failure `why` says what is wrong with it.
std::optional<DecodedHeaders> decodeHeaders(const QByteArray& bytes, const char** why);

}  // namespace rest::cache
