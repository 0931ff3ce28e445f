#include "foundation/Digest.h"

#include <QCryptographicHash>

namespace foundation {

Result<QString> stringToSha1(const QString& text) {
  QByteArray ascii;
  ascii.reserve(text.size());
  for (const QChar c : text) {
    if (c.unicode() == 0) break;
    if (c.unicode() > 0x7f) {
      return Error{kDigestErrorDomain, 1, "The password may only contain ASCII characters.", ascii.size()};
    }
    ascii.append(char(c.unicode()));
  }
  return QString::fromLatin1(QCryptographicHash::hash(ascii, QCryptographicHash::Sha1).toHex());
}

QString md5Hex(const QByteArray& bytes) {
  return QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Md5).toHex());
}

}  // namespace foundation
