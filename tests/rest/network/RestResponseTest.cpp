#include "rest/network/RestResponse.h"

#include <gtest/gtest.h>

namespace {

rest::RestResponse responseWith(int status, QByteArray contentType = "application/json") {
  rest::RestResponse response(nullptr);
  response.setHTTPResponse(status, {{"Content-Type", contentType}, {"Content-Length", "0"}}, QUrl("http://h/x"));
  return response;
}

// Expected status classes as a bit set, so one row states every test for a code.
enum : unsigned {
  kInvalid = 1 << 0, kInformational = 1 << 1, kSuccessful = 1 << 2, kRedirection = 1 << 3, kClientError = 1 << 4,
  kServerError = 1 << 5, kError = 1 << 6, kOK = 1 << 7, kCreated = 1 << 8, kNotModified = 1 << 9,
  kUnauthorized = 1 << 10, kForbidden = 1 << 11, kNotFound = 1 << 12, kConflict = 1 << 13, kGone = 1 << 14,
  kUnprocessable = 1 << 15, kRedirect = 1 << 16, kEmpty = 1 << 17, kUnavailable = 1 << 18,
};

unsigned classesOf(const rest::RestResponse& r) {
  unsigned bits = 0;
  const std::pair<bool, unsigned> tests[] = {
      {r.isInvalid(), kInvalid}, {r.isInformational(), kInformational}, {r.isSuccessful(), kSuccessful},
      {r.isRedirection(), kRedirection}, {r.isClientError(), kClientError}, {r.isServerError(), kServerError},
      {r.isError(), kError}, {r.isOK(), kOK}, {r.isCreated(), kCreated}, {r.isNotModified(), kNotModified},
      {r.isUnauthorized(), kUnauthorized}, {r.isForbidden(), kForbidden}, {r.isNotFound(), kNotFound},
      {r.isConflict(), kConflict}, {r.isGone(), kGone}, {r.isUnprocessableEntity(), kUnprocessable},
      {r.isRedirect(), kRedirect}, {r.isEmpty(), kEmpty}, {r.isServiceUnavailable(), kUnavailable}};
  for (const auto& [holds, bit] : tests)
    if (holds) bits |= bit;
  return bits;
}

class StatusTable : public ::testing::TestWithParam<std::pair<int, unsigned>> {};

TEST_P(StatusTable, ClassifiesTheCode) {
  const auto [code, expected] = GetParam();
  EXPECT_EQ(classesOf(responseWith(code)), expected) << "status " << code;
}

INSTANTIATE_TEST_SUITE_P(
    Codes, StatusTable,
    ::testing::Values(std::pair{0, kInvalid}, std::pair{99, kInvalid}, std::pair{100, kInformational},
                      std::pair{199, kInformational}, std::pair{200, kSuccessful | kOK},
                      std::pair{201, kSuccessful | kCreated | kEmpty}, std::pair{204, kSuccessful | kEmpty},
                      std::pair{299, kSuccessful}, std::pair{301, kRedirection | kRedirect},
                      std::pair{302, kRedirection | kRedirect}, std::pair{303, kRedirection | kRedirect},
                      std::pair{304, kRedirection | kNotModified | kEmpty}, std::pair{307, kRedirection | kRedirect},
                      std::pair{308, kRedirection}, std::pair{400, kClientError | kError},
                      std::pair{401, kClientError | kError | kUnauthorized}, std::pair{403, kClientError | kError | kForbidden},
                      std::pair{404, kClientError | kError | kNotFound}, std::pair{409, kClientError | kError | kConflict},
                      std::pair{410, kClientError | kError | kGone}, std::pair{422, kClientError | kError | kUnprocessable},
                      std::pair{499, kClientError | kError}, std::pair{500, kServerError | kError},
                      std::pair{503, kServerError | kError | kUnavailable}, std::pair{599, kServerError | kError},
                      // The gateway's own codes: 600 is still valid, above it everything is invalid.
                      std::pair{600, 0u}, std::pair{601, kInvalid}, std::pair{615, kInvalid}, std::pair{620, kInvalid}));

TEST(RestResponse, ContentTypeTestsIgnoreCaseAndParameters) {
  EXPECT_TRUE(responseWith(200, "Application/JSON; charset=utf-8").isJSON());
  EXPECT_EQ(responseWith(200, "Application/JSON; charset=utf-8").MIMEType(), "application/json");
  EXPECT_TRUE(responseWith(200, "application/xml").isXML());
  EXPECT_TRUE(responseWith(200, "TEXT/HTML").isHTML());
  EXPECT_TRUE(responseWith(200, "application/xhtml+xml").isXHTML());
  EXPECT_TRUE(responseWith(200, "application/xhtml+xml").isHTML());
  EXPECT_FALSE(responseWith(200, "text/plain").isJSON());
}

TEST(RestResponse, HeaderLookupIsCaseInsensitiveAndRepeatedFieldsJoin) {
  rest::RestResponse response(nullptr);
  response.setHTTPResponse(200, {{"ETag", "\"1\""}, {"Via", "a"}, {"via", "b"}, {"Location", "/next"}}, QUrl());
  EXPECT_EQ(response.headerValue("etag"), "\"1\"");
  EXPECT_EQ(response.location(), "/next");
  EXPECT_EQ(response.contentType(), "");
  EXPECT_EQ(response.allHeaderFields().value("Via"), "a, b");
}

TEST(RestResponse, CachedResponseTakesItsFactsFromTheStoredKeys) {
  rest::HeaderMap stored{{rest::kCachedResponseCodeHeaderKey, "203"},
                         {rest::kCachedMIMETypeHeaderKey, "application/json"},
                         {rest::kCachedURLHeaderKey, "http://h/c/x;jsessionid=1"},
                         {"Content-Type", "application/json"}};
  rest::RestResponse cached(nullptr, "{}", stored);
  EXPECT_TRUE(cached.wasLoadedFromCache());
  EXPECT_EQ(cached.statusCode(), 203);
  EXPECT_EQ(cached.MIMEType(), "application/json");
  EXPECT_EQ(cached.URL(), QUrl("http://h/c/x;jsessionid=1"));
  EXPECT_TRUE(cached.isJSON());
  EXPECT_EQ(cached.bodyAsString(), "{}");

  stored[rest::kCachedResponseCodeHeaderKey] = "404";
  // A cached response counts as successful whatever its stored code.
  EXPECT_TRUE(rest::RestResponse(nullptr, "", stored).isSuccessful());
  EXPECT_FALSE(cached.isFailure());
}

}  // namespace
