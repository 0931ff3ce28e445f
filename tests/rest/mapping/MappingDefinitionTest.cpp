#include "TestRecords.h"

#include "rest/mapping/RestObjectRouter.h"
#include "rest/mapping/RestObjectSerializer.h"
#include "rest/support/RestDateFormatter.h"
#include "support/TestNames.h"

#include <gtest/gtest.h>

using namespace tbtest;
using rest::RestObjectMapping;

TEST(MappingDefinition, DuplicateSourceKeyPathIsAProgrammingError) {
  auto mapping = RestObjectMapping::mappingForClass(TDevice::staticClass());
  mapping->mapAttributes({"serial"});
  EXPECT_DEATH(mapping->mapKeyPathToAttribute("serial", "name"), "Unable to add mapping for keyPath serial, one already exists");
}

TEST(MappingDefinition, InverseSwapsKeyPathsAndStopsRunawayRecursion) {
  TestMappings m;
  auto inverse = m.history->inverseMapping();
  EXPECT_EQ(inverse->objectClass(), nullptr);
  ASSERT_NE(inverse->attributeMappingForKeyPath("trigger_name"), nullptr);
  EXPECT_EQ(inverse->attributeMappingForKeyPath("trigger_name")->destinationKeyPath, "triggerName");
  ASSERT_EQ(inverse->relationshipMappings().size(), 1u);
  EXPECT_EQ(inverse->relationshipMappings()[0].sourceKeyPath, "media");
  EXPECT_EQ(inverse->relationshipMappings()[0].destinationKeyPath, "alerts");

  // A chain of nested mappings deeper than the limit (as a mapping that refers to itself
  // would make it) stops with the programming error instead of recursing without end.
  auto deepest = RestObjectMapping::mappingForClass(THistory::staticClass());
  for (int level = 0; level < 101; ++level) {
    auto parent = RestObjectMapping::mappingForClass(THistory::staticClass());
    parent->mapKeyPathToRelationshipWithMapping("alerts", "media", deepest);
    deepest = parent;
  }
  EXPECT_DEATH(deepest->inverseMapping(), "Exceeded max recursion level in inverseMapping.");
}

TEST(MappingProvider, ObjectMappingForClassComparesClassNames) {
  TestMappings m;
  EXPECT_EQ(m.provider.objectMappingForClass(TDevice::staticClass()), m.device);
  EXPECT_EQ(m.provider.objectMappingForClass(TCamera::staticClass()), nullptr);  // exact class only
  EXPECT_EQ(m.provider.objectMappingForClass(TSend::staticClass()), nullptr);
}

TEST(Serializer, OnlyMappedFieldsWithAValueBecomeMembers) {
  auto mapping = RestObjectMapping::serializationMapping();
  mapping->mapAttributes({"status", "serial"});
  TSend send;
  send.status = "ON";
  send.serial = "12 34";
  send.session = "secret-session";
  auto body = rest::serializeObjectToJSON(send, *mapping);
  ASSERT_TRUE(body.ok());
  ASSERT_TRUE(body->has_value());
  EXPECT_EQ(**body, R"({"status":"ON","serial":"12 34"})");

  send.status.reset();
  send.serial = "";  // an empty text is a value
  EXPECT_EQ(**rest::serializeObjectToJSON(send, *mapping), R"({"serial":""})");

  send.serial.reset();
  EXPECT_FALSE(rest::serializeObjectToJSON(send, *mapping)->has_value());  // nothing to send: no body
  EXPECT_FALSE(rest::serializeObjectToJSON(send, *RestObjectMapping::serializationMapping())->has_value());
}

TEST(Serializer, RootKeyPathAndNestedRecords) {
  TestMappings m;
  THistory event;
  event.name = "Porte";
  auto alert = std::make_shared<TAlert>();
  alert->type = "SMS";
  event.media.push_back(alert);
  auto inverse = m.history->inverseMapping();
  inverse->setRootKeyPath("event");
  EXPECT_EQ(**rest::serializeObjectToJSON(event, *inverse), R"({"event":{"name":"Porte","alerts":[{"type":"SMS"}]}})");
}

TEST(Serializer, RefusesTextThatIsNotUtf8) {
  auto mapping = RestObjectMapping::serializationMapping();
  mapping->mapAttributes({"status"});
  TSend send;
  send.status = std::string("\xff\xfe", 2);
  EXPECT_FALSE(rest::serializeObjectToJSON(send, *mapping).ok());
}

struct RouteCase {
  const char* name;
  const char* pattern;
  const char* serial;
  const char* session;
  const char* expected;
};

// ctest lists a row by its name, not by the pointers of its texts.
void PrintTo(const RouteCase& c, std::ostream* os) { *os << tbtest::testNameFrom(c.name); }

class RouterTable : public ::testing::TestWithParam<RouteCase> {};

TEST_P(RouterTable, InterpolatesAndEscapes) {
  const RouteCase& c = GetParam();
  rest::RestObjectRouter router;
  router.routeClassToResourcePathForVerb(TSend::staticClass(), c.pattern, "PUT");
  TSend send;
  send.serial = c.serial;
  send.session = c.session;
  auto path = router.resourcePathForObjectVerb(send, "PUT");
  ASSERT_TRUE(path.ok()) << path.error().message;
  EXPECT_EQ(*path, c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    Paths, RouterTable,
    ::testing::Values(
        RouteCase{"space in a value", "/video/image/start/:serial;jsessionid=:session", "CAM 1", "abc",
                  "/video/image/start/CAM%201;jsessionid=abc"},
        RouteCase{"path and query characters", "/device/camera/:serial/command;jsessionid=:session", "a/b?c#d", "s",
                  "/device/camera/a%2Fb%3Fc%23d/command;jsessionid=s"},
        RouteCase{"reserved characters", "/x/:serial;jsessionid=:session", "!*'();:@&=+$,%[]", "s",
                  "/x/%21%2A%27%28%29%3B%3A%40%26%3D%2B%24%2C%25%5B%5D;jsessionid=s"},
        RouteCase{"UTF-8", "/x/:serial;jsessionid=:session", "Séjour", "s", "/x/S%C3%A9jour;jsessionid=s"},
        RouteCase{"plain", "/gateway/:serial/mode/;jsessionid=:session", "INTRUSION", "F00D",
                  "/gateway/INTRUSION/mode/;jsessionid=F00D"}));

TEST(Router, ExactClassFirstThenKindOfThenAny) {
  rest::RestObjectRouter router;
  router.routeClassToResourcePathForVerb(TDevice::staticClass(), "/device/:serial", "ANY");
  router.routeClassToResourcePathForVerb(TDevice::staticClass(), "/device/status", "PUT");
  router.routeClassToResourcePathForVerb(TCamera::staticClass(), "/camera/:serial", "GET");
  TCamera camera;
  camera.serial = "C";
  TDevice device;
  device.serial = "D";
  EXPECT_EQ(*router.resourcePathForObjectVerb(device, "PUT"), "/device/status");
  EXPECT_EQ(*router.resourcePathForObjectVerb(device, "DELETE"), "/device/D");
  EXPECT_EQ(*router.resourcePathForObjectVerb(camera, "GET"), "/camera/C");
  EXPECT_DEATH((void)router.resourcePathForObjectVerb(camera, "PUT"),
               "Unable to find a routable path for object of type 'TCamera' for HTTP Method 'PUT'");
}

TEST(Router, ProgrammingErrorsAndMissingValues) {
  rest::RestObjectRouter router;
  router.routeClassToResourcePathForVerb(TSend::staticClass(), "/device/status;jsessionid=:session", "PUT");
  EXPECT_DEATH(router.routeClassToResourcePathForVerb(TSend::staticClass(), "/other", "PUT"),
               "A route has already been registered for class 'TSend' and HTTP method 'PUT'");
  EXPECT_DEATH(router.routeClassToResourcePathForVerb(TDevice::staticClass(), "", "PUT"),
               "Pattern string must not be empty");
  TSend noSession;
  EXPECT_FALSE(router.resourcePathForObjectVerb(noSession, "PUT").ok());  // never a path with a hole
}

TEST(DateFormatter, ReadsBothFormatsInUtcAndWritesThePreferredOne) {
  const auto iso = rest::RestDateFormatter::dateFromString("2013-03-03T23:30:05Z");
  ASSERT_TRUE(iso);
  EXPECT_EQ(iso->toMSecsSinceEpoch(), 1362353405000);
  const auto us = rest::RestDateFormatter::dateFromString("03/15/2013");
  ASSERT_TRUE(us);
  EXPECT_EQ(us->toUTC().date(), QDate(2013, 3, 15));
  EXPECT_EQ(us->toUTC().time(), QTime(0, 0));
  for (const char* bad : {"", "15/03/2013", "2013-03-03 23:30:05", "2013-02-30T00:00:00Z", "tomorrow"})
    EXPECT_FALSE(rest::RestDateFormatter::dateFromString(bad)) << bad;
  EXPECT_EQ(rest::RestDateFormatter::stringFromDate(*iso), "2013-03-03 23:30:05 +0000");
}
