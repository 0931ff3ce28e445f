// The compiled form of a mapping: member names matched by length and bytes, the one-walk path
// against the key-path path, the plan rebuilt when a mapping changes, relationships filled in
// place, and plans built by several threads at once.
#include "TestRecords.h"

#include "json/Parser.h"
#include "rest/mapping/MappingPlan.h"
#include "rest/mapping/RestObjectMapper.h"
#include "rest/mapping/RestObjectMappingOperation.h"

#include <gtest/gtest.h>

#include <thread>

using namespace tbtest;
using rest::RestObjectMapping;

namespace {

json::Document parsed(std::string_view text) {
  auto doc = json::parse(text);
  EXPECT_TRUE(doc.ok()) << text;
  return doc.ok() ? std::move(doc).value() : json::Document();
}

std::string jsonKey(const std::string& s) { return "\"" + s + "\""; }

std::vector<std::string> mapInto(rest::Object& record, const RestObjectMapping& mapping, std::string_view answer) {
  auto doc = parsed(answer);
  rest::RestObjectMappingOperation operation(doc.root(), record, mapping);
  operation.performMapping();
  return operation.warnings();
}

}  // namespace

// Names of every length up to past two words, differing from a mapped name in one byte
// anywhere, or one byte shorter or longer, never match it.
TEST(MappingPlan, NamesMatchOnlyThemselvesAtEveryLengthAndPosition) {
  for (std::size_t length = 1; length <= 24; ++length) {
    const std::string first(length, 'k');
    for (std::size_t at = 0; at < length; ++at) {
      std::string second = first;
      second[at] = 'q';
      auto mapping = RestObjectMapping::mappingForClass(TDevice::staticClass());
      mapping->mapKeyPathToAttribute(first, "name");
      mapping->mapKeyPathToAttribute(second, "serial");
      std::string answer = "{" + jsonKey(first + "k") + ": \"longer\", ";
      if (length > 1) answer += jsonKey(first.substr(1)) + ": \"shorter\", ";
      answer += jsonKey(second) + ": \"second\", " + jsonKey(first) + ": \"first\"}";
      TDevice device;
      mapInto(device, *mapping, answer);
      ASSERT_EQ(device.name, "first") << answer;
      ASSERT_EQ(device.serial, "second") << answer;
    }
  }
}

// The walk must read what a lookup by key path reads: a dotted key in the mapping forces the
// key-path path, so each row is mapped both ways and the records must agree.
TEST(MappingPlan, WalkAndKeyPathLookupAgree) {
  const char* answers[] = {
      R"({"id": 1, "serial": "S", "name": "N", "status": "ON", "batteryLevel": 80, "newSensor": false})",
      R"({"newSensor": true, "batteryLevel": 5, "status": "OFF", "name": "N", "serial": "S", "id": -3})",
      R"({"x": 0, "name": "first", "y": [1], "name": "second", "serial": null, "z": {"name": "inner"}})",
      R"({"status": "A", "status": "B", "id": 18446744073709551615, "id": 2})",
      R"({})",
      R"({"unrelated": "x"})",
  };
  auto walked = RestObjectMapping::mappingForClass(TDevice::staticClass());
  auto looked = RestObjectMapping::mappingForClass(TDevice::staticClass());
  for (auto& mapping : {walked, looked}) {
    mapping->mapKeyPathToAttribute("id", "identifier");
    mapping->mapAttributes({"serial", "name", "status", "batteryLevel"});
    mapping->mapKeyPathToAttribute("newSensor", "isNewSensor");
  }
  looked->mapKeyPathToAttribute("never.there", "name");
  ASSERT_TRUE(walked->plan().walksMembers());
  ASSERT_FALSE(looked->plan().walksMembers());
  for (const char* answer : answers) {
    TDevice a, b;
    a.serial = b.serial = "kept";
    auto doc = parsed(answer);
    const bool foundA = rest::RestObjectMappingOperation(doc.root(), a, *walked).performMapping();
    const bool foundB = rest::RestObjectMappingOperation(doc.root(), b, *looked).performMapping();
    EXPECT_EQ(foundA, foundB) << answer;
    EXPECT_EQ(a.identifier, b.identifier) << answer;
    EXPECT_EQ(a.serial, b.serial) << answer;
    EXPECT_EQ(a.name, b.name) << answer;
    EXPECT_EQ(a.status, b.status) << answer;
    EXPECT_EQ(a.batteryLevel, b.batteryLevel) << answer;
    EXPECT_EQ(a.isNewSensor, b.isNewSensor) << answer;
  }
  TDevice device;
  mapInto(device, *walked, answers[2]);
  EXPECT_EQ(device.name, "first");  // the first member of a name wins
  mapInto(device, *walked, answers[3]);
  EXPECT_EQ(device.status, "A");
  EXPECT_EQ(device.identifier, "18446744073709551615");
}

TEST(MappingPlan, TextIsReplacedWhateverItsLengthWas) {
  TestMappings m;
  TDevice device;
  device.name = "a name long enough to live outside the string";
  mapInto(device, *m.device, R"({"name": "short"})");
  EXPECT_EQ(device.name, "short");
  mapInto(device, *m.device, R"({"name": "Détecteur de fumée du couloir \"nord\""})");
  EXPECT_EQ(device.name, "Détecteur de fumée du couloir \"nord\"");
  mapInto(device, *m.device, R"({"name": 576460752303423488})");  // beyond the tape's small integers
  EXPECT_EQ(device.name, "576460752303423488");
  mapInto(device, *m.device, R"({"name": -9223372036854775808})");
  EXPECT_EQ(device.name, "-9223372036854775808");
}

TEST(MappingPlan, AddingToAMappingAfterUseTakesEffect) {
  auto mapping = RestObjectMapping::mappingForClass(TDevice::staticClass());
  mapping->mapAttributes({"serial"});
  const char* answer = R"({"serial": "S1", "name": "Lampe"})";
  TDevice before;
  mapInto(before, *mapping, answer);
  EXPECT_FALSE(before.name.has_value());
  mapping->mapAttributes({"name"});
  mapping->mapKeyPathToRelationshipWithMapping("gateway", "gateway", RestObjectMapping::mappingForClass(TGateway::staticClass()));
  TDevice after;
  const auto warnings = mapInto(after, *mapping, R"({"serial": "S1", "name": "Lampe", "gateway": {}})");
  EXPECT_EQ(after.name, "Lampe");
  ASSERT_EQ(warnings.size(), 1u);  // the relationship is read too (TDevice has no such field)
  EXPECT_EQ(warnings[0], "No relationship named 'gateway' on TDevice");
}

// Attribute warnings come before relationship warnings, whatever the order of the members.
TEST(MappingPlan, WarningsFollowTheMappingNotTheAnswer) {
  TestMappings m;
  THistory event;
  const auto warnings = mapInto(event, *m.history, R"({"alerts": 5, "name": [1], "triggerName": {"a": 1}})");
  ASSERT_EQ(warnings.size(), 3u);
  EXPECT_EQ(warnings[0], "Failed transformation of value at keyPath 'name'. No strategy for transforming from 'NSArray' to 'NSString'");
  EXPECT_EQ(warnings[1],
            "Failed transformation of value at keyPath 'triggerName'. No strategy for transforming from 'NSDictionary' to 'NSString'");
  EXPECT_EQ(warnings[2], "Failed transformation of value at keyPath 'alerts'. No strategy for transforming from 'NSNumber' to a record");
}

TEST(MappingPlan, DottedPathsAndFieldsOfASubclass) {
  // Source and destination key paths through nested objects and records.
  auto mapping = RestObjectMapping::mappingForClass(TAuth::staticClass());
  mapping->mapKeyPathToAttribute("session.id", "sessionId");
  mapping->mapKeyPathToAttribute("gatewaySerial", "gateway.serial");
  TAuth auth;
  auth.gateway = std::make_shared<TGateway>();
  mapInto(auth, *mapping, R"({"session": {"id": "s-9"}, "gatewaySerial": "GW-1"})");
  EXPECT_EQ(auth.sessionId, "s-9");
  EXPECT_EQ(auth.gateway->serial, "GW-1");

  // A field only the target's subclass has is found on the record itself.
  auto device = RestObjectMapping::mappingForClass(TDevice::staticClass());
  device->mapAttributes({"status", "defaultCam"});
  TCamera camera;
  mapInto(camera, *device, R"({"defaultCam": "1", "status": "ON"})");
  EXPECT_EQ(camera.defaultCam, "1");
  EXPECT_EQ(camera.status, "ON");
  TDevice plain;
  const auto warnings = mapInto(plain, *device, R"({"defaultCam": "1"})");
  ASSERT_EQ(warnings.size(), 1u);
  EXPECT_EQ(warnings[0], "Failed transformation of value at keyPath 'defaultCam'. No strategy for transforming from 'NSString' to 'NSString'");
}

// More keys than the walk keeps track of: the rest are looked up by key path, in order.
TEST(MappingPlan, ManyAttributesAndRelationships) {
  auto alerts = RestObjectMapping::mappingForClass(TAlert::staticClass());
  alerts->mapAttributes({"type"});
  auto wide = RestObjectMapping::mappingForClass(THistory::staticClass());
  for (int i = 0; i < 40; ++i) wide->mapKeyPathToAttribute("a" + std::to_string(i), i == 39 ? "name" : "nothing");
  for (int i = 0; i < 20; ++i) wide->mapKeyPathToRelationshipWithMapping("r" + std::to_string(i), "media", alerts);
  ASSERT_TRUE(wide->plan().walksMembers());
  THistory event;
  mapInto(event, *wide, R"({"r19": [{"type": "LAST"}], "a39": "N", "r0": [{"type": "FIRST"}, {"type": "X"}], "r15": null})");
  EXPECT_EQ(event.name, "N");
  ASSERT_EQ(event.media.size(), 1u);  // relationships apply in the mapping's order: r0, r15, then r19
  EXPECT_EQ(event.media[0]->type, "LAST");
  mapInto(event, *wide, R"({"r16": [{"type": "A"}, {"type": "B"}], "r15": [{"type": "C"}]})");
  ASSERT_EQ(event.media.size(), 2u);
  EXPECT_EQ(event.media[1]->type, "B");

  auto wider = RestObjectMapping::mappingForClass(TDevice::staticClass());
  for (int i = 0; i < 70; ++i) wider->mapKeyPathToAttribute("k" + std::to_string(i), i == 69 ? "serial" : "name");
  ASSERT_FALSE(wider->plan().walksMembers());
  TDevice device;
  mapInto(device, *wider, R"({"k69": "S", "k3": "three", "k1": "one"})");
  EXPECT_EQ(device.serial, "S");
  EXPECT_EQ(device.name, "three");  // in the mapping's order, k1 then k3
}

TEST(MappingPlan, RelationshipValuesOfEveryKind) {
  TestMappings m;
  THistory event;
  auto old = std::make_shared<TAlert>();
  event.media = {old};
  auto warnings = mapInto(event, *m.history, R"({"alerts": {"type": "ONE"}})");
  ASSERT_EQ(event.media.size(), 1u);  // an object is a list of one
  EXPECT_EQ(event.media[0]->type, "ONE");
  mapInto(event, *m.history, R"({"alerts": null})");
  EXPECT_TRUE(event.media.empty());
  mapInto(event, *m.history, R"({"alerts": [{"type": "A"}, {}, {"type": "B"}], "alerts": [{"type": "ignored"}]})");
  ASSERT_EQ(event.media.size(), 2u);  // an element that maps nothing is left out
  EXPECT_EQ(event.media[1]->type, "B");

  // A single record from a list: every element is mapped, the first record kept.
  TAuth auth;
  warnings = mapInto(auth, *m.auth, R"({"gateway": [7, {}, {"id": 1}, {"id": 2}]})");
  ASSERT_TRUE(auth.gateway);
  EXPECT_EQ(auth.gateway->identifier, "1");
  EXPECT_EQ(warnings, std::vector<std::string>{"Skipped an element of 'gateway' that is not an object"});

  // A relationship without a mapping makes no records (and does not fail).
  auto bare = RestObjectMapping::mappingForClass(THistory::staticClass());
  bare->mapKeyPathToRelationshipWithMapping("alerts", "media", nullptr);
  EXPECT_TRUE(mapInto(event, *bare, R"({"alerts": [{"type": "A"}]})").empty());
  EXPECT_TRUE(event.media.empty());

  // Missing relationships are cleared only when the mapping asks for it.
  m.auth->setNilForMissingRelationships = true;
  mapInto(auth, *m.auth, R"({"sessionId": "s"})");
  EXPECT_FALSE(auth.gateway);
}

// A relationship whose mapping makes records of a class its field cannot hold is refused:
// storing them would make the record read one class as another.
TEST(MappingPlan, RecordsOfAnotherClassAreNeverStoredInARelationship) {
  TestMappings m;
  auto wrong = RestObjectMapping::mappingForClass(THistory::staticClass());
  wrong->mapKeyPathToRelationshipWithMapping("alerts", "media", m.device);
  THistory event;
  auto kept = std::make_shared<TAlert>();
  event.media = {kept};
  const auto warnings = mapInto(event, *wrong, R"({"alerts": [{"serial": "1"}]})");
  ASSERT_EQ(event.media.size(), 1u);
  EXPECT_EQ(event.media[0], kept);
  EXPECT_EQ(warnings, std::vector<std::string>{"Cannot store records of class 'TDevice' in 'media' of THistory"});

  // Another class entirely, into a single record.
  auto cameras = RestObjectMapping::mappingForClass(TCamera::staticClass());
  cameras->mapAttributes({"serial"});
  auto auths = RestObjectMapping::mappingForClass(TAuth::staticClass());
  auths->mapKeyPathToRelationshipWithMapping("gateway", "gateway", cameras);
  TAuth auth;
  EXPECT_EQ(mapInto(auth, *auths, R"({"gateway": {"serial": "C"}})"),
            std::vector<std::string>{"Cannot store records of class 'TCamera' in 'gateway' of TAuth"});
  EXPECT_FALSE(auth.gateway);

  // A subclass of the declared class is a fine child.
  auto pushes = RestObjectMapping::mappingForClass(TPushAlert::staticClass());
  pushes->mapAttributes({"type", "token"});
  auto right = RestObjectMapping::mappingForClass(THistory::staticClass());
  right->mapKeyPathToRelationshipWithMapping("alerts", "media", pushes);
  EXPECT_TRUE(mapInto(event, *right, R"({"alerts": [{"type": "PUSH", "token": "T1"}]})").empty());
  ASSERT_EQ(event.media.size(), 1u);
  ASSERT_TRUE(event.media[0]->isMemberOfClass(TPushAlert::staticClass()));
  EXPECT_EQ(std::static_pointer_cast<TPushAlert>(event.media[0])->token, "T1");
}

// Plans are built on first use, by whichever worker maps first: several at once must all get
// one complete plan (run under the thread sanitizer to check the publication).
TEST(MappingPlan, FirstUseFromSeveralThreads) {
  std::string answer = R"({"history": [)";
  for (int i = 0; i < 200; ++i) {
    answer += (i ? "," : "") + std::string(R"({"name": "event )") + std::to_string(i) +
              R"(", "triggerName": "T", "alerts": [{"type": "SMS", "dest": "+336000000)" + std::to_string(i % 10) + R"("}]})";
  }
  answer += "]}";
  auto doc = parsed(answer);
  for (int round = 0; round < 20; ++round) {
    TestMappings m;  // fresh mappings: no plan yet
    std::vector<std::size_t> counts(4, 0);
    std::vector<std::thread> threads;
    for (std::size_t t = 0; t < counts.size(); ++t) {
      threads.emplace_back([&, t] {
        auto result = rest::RestObjectMapper(doc.root(), m.provider).performMapping();
        if (!result.ok()) return;
        for (const auto& record : result->asCollection()) {
          const auto& event = static_cast<const THistory&>(*record);
          if (event.media.size() == 1 && event.media[0]->type == "SMS" && event.trigger_name == "T") ++counts[t];
        }
      });
    }
    for (auto& thread : threads) thread.join();
    for (std::size_t t = 0; t < counts.size(); ++t) ASSERT_EQ(counts[t], 200u) << "round " << round << ", thread " << t;
  }
}
