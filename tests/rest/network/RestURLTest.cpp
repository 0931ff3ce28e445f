#include "rest/network/RestURL.h"

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
