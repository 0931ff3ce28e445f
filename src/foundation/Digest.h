#pragma once
// Digests: SHA-1 of the password sent at sign-in, MD5 of the response cache's keys.
#include "foundation/Result.h"

#include <QByteArray>
#include <QString>

namespace foundation {

inline constexpr const char* kDigestErrorDomain = "org.tavrobox.digest";

// SHA-1 of the text's ASCII bytes up to the first zero character, as 40 lower-case hex digits.
// Text with a character outside ASCII is refused: it has no defined digest.
Result<QString> stringToSha1(const QString& text);

// MD5 of the bytes as 32 lower-case hex digits.
QString md5Hex(const QByteArray& bytes);

}  // namespace foundation
