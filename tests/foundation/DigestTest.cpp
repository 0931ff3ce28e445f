#include "foundation/Digest.h"

#include <gtest/gtest.h>

using foundation::stringToSha1;

TEST(Digest, Sha1PublishedVectors) {
  EXPECT_EQ(*stringToSha1(QString()), QStringLiteral("da39a3ee5e6b4b0d3255bfef95601890afd80709"));
  EXPECT_EQ(*stringToSha1(QStringLiteral("abc")), QStringLiteral("a9993e364706816aba3e25717850c26c9cd0d89d"));
  EXPECT_EQ(*stringToSha1(QStringLiteral("abcdbcdecdefdefgefghfghighijhijkijkljklmklmnlmnomnopnopq")),
            QStringLiteral("84983e441c3bd26ebaae4aa1f95129e5e54670f1"));
  EXPECT_EQ(*stringToSha1(QString(1000000, QChar('a'))), QStringLiteral("34aa973cd4c4daa4f61eeb2bdbad27316534016f"));
}

TEST(Digest, Sha1StopsAtTheFirstZeroCharacter) {
  const QString withZero = QStringLiteral("abc") + QChar(0) + QStringLiteral("ignored");
  EXPECT_EQ(*stringToSha1(withZero), *stringToSha1(QStringLiteral("abc")));
}

TEST(Digest, Sha1RefusesNonAscii) {
  const auto result = stringToSha1(QStringLiteral("mot de passe é"));
  ASSERT_FALSE(result.ok());
  EXPECT_EQ(result.error().domain, foundation::kDigestErrorDomain);
  EXPECT_EQ(result.error().offset, 13);
  // A non-ASCII character after a zero is not part of the digested text.
  EXPECT_TRUE(stringToSha1(QStringLiteral("ab") + QChar(0) + QStringLiteral("é")).ok());
}

TEST(Digest, Md5Hex) {
  EXPECT_EQ(foundation::md5Hex(""), QStringLiteral("d41d8cd98f00b204e9800998ecf8427e"));
  EXPECT_EQ(foundation::md5Hex("abc"), QStringLiteral("900150983cd24fb0d6963f7d28e17f72"));
}
