#include "rest/network/RestURL.h"
#include "rest/support/LoggableURL.h"

#include <gtest/gtest.h>

namespace {

struct URLCase {
  const char* name;
  QString base;
  QString path;
  QVariantMap query;
  QString expected;
};

// Test names, not bytes, in the listings.
void PrintTo(const URLCase& c, std::ostream* os) { *os << c.name; }

class RestURLTable : public ::testing::TestWithParam<URLCase> {};

TEST_P(RestURLTable, JoinsBaseAndResourcePath) {
  const URLCase& c = GetParam();
  const auto url = rest::RestURL::URLWithBaseURLString(c.base, c.path, c.query);
  ASSERT_TRUE(url.has_value());
  EXPECT_EQ(url->absoluteString().toStdString(), c.expected.toStdString());
  EXPECT_EQ(url->resourcePath(), c.path);
  EXPECT_EQ(url->baseURLString(), c.base);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, RestURLTable,
    ::testing::Values(
        URLCase{"plain", "https://h:8470/cloud/v1", "/device", {}, "https://h:8470/cloud/v1/device"},
        URLCase{"baseTrailingSlash", "https://h/cloud/v1/", "/device", {}, "https://h/cloud/v1/device"},
        URLCase{"noLeadingSlash", "https://h/cloud/v1", "device", {}, "https://h/cloud/v1/device"},
        URLCase{"doubledSlashCollapsed", "https://h/cloud/v1/", "//device//list", {}, "https://h/cloud/v1/device/list"},
        URLCase{"trailingSlashKept", "https://h/c/v1", "/gateway/INTRUSION/mode/", {}, "https://h/c/v1/gateway/INTRUSION/mode/"},
        URLCase{"matrixParameterStaysInLastSegment", "https://h/c/v1", "/device;jsessionid=ABC123", {},
                "https://h/c/v1/device;jsessionid=ABC123"},
        URLCase{"trailingSlashBeforeMatrix", "https://h/c/v1", "/gateway/DOMESTIC/mode/;jsessionid=S", {},
                "https://h/c/v1/gateway/DOMESTIC/mode/;jsessionid=S"},
        URLCase{"baseWithoutPath", "http://127.0.0.1:9", "/a/", {}, "http://127.0.0.1:9/a/"},
        URLCase{"emptyPath", "http://h/c", "", {}, "http://h/c"},
        URLCase{"query", "http://h/c", "/list", QVariantMap{{"b", "x y"}, {"a", "1&2=3"}},
                "http://h/c/list?a=1%262%3D3&b=x%20y"},
        URLCase{"queryList", "http://h/c", "/l", QVariantMap{{"id", QVariantList{1, 2}}}, "http://h/c/l?id%5B%5D=1&id%5B%5D=2"},
        URLCase{"queryMap", "http://h/c", "/l", QVariantMap{{"f", QVariantMap{{"k", "v"}}}}, "http://h/c/l?f%5Bk%5D=v"},
        URLCase{"queryOnPathWithSlash", "http://h/c", "/l/", QVariantMap{{"a", "1"}}, "http://h/c/l/?a=1"}),
    [](const auto& info) { return std::string(info.param.name); });

// Every ";jsessionid=" value is hidden in what is logged, and left out of what the cache keeps;
// the rest of the text stays as it was.
TEST(RestURL, SessionIdentifiersAreMaskedOrLeftOut) {
  struct Case {
    QString text, masked, without;
  };
  const Case cases[] = {
      {"https://h/c/device;jsessionid=ABC", "https://h/c/device;jsessionid=<hidden>", "https://h/c/device"},
      {"https://h/c/mode/;JSESSIONID=a%2Fb?x=1#f", "https://h/c/mode/;JSESSIONID=<hidden>?x=1#f", "https://h/c/mode/?x=1#f"},
      {"Error transferring http://h/a;jsessionid=S1/b;v=2 - server replied: Not Found",
       "Error transferring http://h/a;jsessionid=<hidden>/b;v=2 - server replied: Not Found",
       "Error transferring http://h/a/b;v=2 - server replied: Not Found"},
      {"two: /a;jsessionid=X and /b;jsessionid=Y)", "two: /a;jsessionid=<hidden> and /b;jsessionid=<hidden>)",
       "two: /a and /b)"},
      {"/empty;jsessionid=", "/empty;jsessionid=", "/empty"},
      {"/no/session;v=1", "/no/session;v=1", "/no/session;v=1"},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(rest::maskSessionIdentifiers(c.text), c.masked);
    EXPECT_EQ(rest::URLWithoutSession(c.text), c.without);
  }
  EXPECT_EQ(rest::loggableURL(QUrl("http://h/d;jsessionid=S%20T")), "http://h/d;jsessionid=<hidden>");
}

TEST(RestURL, UnusableBaseGivesNoURL) {
  EXPECT_FALSE(rest::RestURL::URLWithBaseURLString("not a url", "/x").has_value());
  EXPECT_FALSE(rest::RestURL::URLWithBaseURLString("/relative/only", "/x").has_value());
  EXPECT_FALSE(rest::RestURL::URLWithBaseURLString("", "/x").has_value());
}

TEST(RestURL, ResourcePathWithQueryParams) {
  EXPECT_EQ(rest::resourcePathWithQueryParams("/p", {}), "/p");
  EXPECT_EQ(rest::resourcePathWithQueryParams("/p", {{"k", "v w"}}), "/p?k=v%20w");
}

}  // namespace
