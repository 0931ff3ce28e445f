#include "foundation/Strings.h"

#include <gtest/gtest.h>

using foundation::localized;

TEST(Strings, FrenchIsTheDefaultTable) {
  EXPECT_EQ(foundation::loadStrings(QStringLiteral("fr")), QStringLiteral("fr"));
  EXPECT_EQ(localized("Remember me"), QStringLiteral("Se souvenir de moi"));
  EXPECT_EQ(localized("Bad Login or Password"), QStringLiteral("Identifiant ou mot de passe incorrect"));
}

TEST(Strings, EnglishTableAndUnknownLanguageFallback) {
  EXPECT_EQ(foundation::loadStrings(QStringLiteral("en")), QStringLiteral("en"));
  EXPECT_EQ(localized("In progress..."), QStringLiteral("Signing in..."));
  EXPECT_EQ(foundation::loadStrings(QStringLiteral("tlh")), QStringLiteral("fr"));
  EXPECT_EQ(localized("Password"), QStringLiteral("Mot de passe"));
}

TEST(Strings, MissingKeyGivesEmptyText) {
  foundation::loadStrings(QStringLiteral("fr"));
  EXPECT_EQ(localized("kTradNoSuchKeyAnywhere"), QString());
  EXPECT_TRUE(localized("").isEmpty());
}
