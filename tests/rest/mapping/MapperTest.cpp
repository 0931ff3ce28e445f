#include "TestRecords.h"

#include "json/Parser.h"
#include "rest/mapping/RestObjectMapper.h"
#include "rest/mapping/RestObjectMappingOperation.h"
#include "rest/support/RestError.h"

#include <gtest/gtest.h>

#include <algorithm>

using namespace tbtest;
using rest::ObjectList;

namespace {
json::Document parsed(std::string_view text) {
  auto doc = json::parse(text);
  EXPECT_TRUE(doc.ok()) << (doc.ok() ? "" : doc.error().message);
  return doc.ok() ? std::move(doc).value() : json::Document();
}

template <class T>
std::vector<std::shared_ptr<T>> ofClass(const ObjectList& objects) {
  std::vector<std::shared_ptr<T>> out;
  for (const auto& o : objects)
    if (o->isMemberOfClass(T::staticClass())) out.push_back(std::static_pointer_cast<T>(o));
  return out;
}
}  // namespace

TEST(MappingOperation, ScalarsBecomeTextNullClearsAbsentKeeps) {
  struct Case {
    const char* json;
    rest::Text expected;
  };
  const Case cases[] = {
      {R"({"name": "Salon"})", "Salon"},
      {R"({"name": 7})", "7"},
      {R"({"name": -12})", "-12"},
      {R"({"name": 4294967296})", "4294967296"},
      {R"({"name": 576460752303423487})", "576460752303423487"},    // largest integer stored inline
      {R"({"name": -576460752303423488})", "-576460752303423488"},  // smallest one
      {R"({"name": -576460752303423489})", "-576460752303423489"},
      {R"({"name": 9223372036854775807})", "9223372036854775807"},
      {R"({"name": 18446744073709551615})", "18446744073709551615"},
      {R"({"name": 3.5})", "3.5"},
      {R"({"name": 0.1})", "0.1"},
      {R"({"name": 1e300})", "1e+300"},
      {R"({"name": true})", "true"},
      {R"({"name": false})", "false"},
      {R"({"name": null})", std::nullopt},
      {R"({"name": ""})", ""},
      {R"({"other": 1})", "previous"},  // absent: untouched
  };
  TestMappings m;
  for (const auto& c : cases) {
    auto doc = parsed(c.json);
    TDevice device;
    device.name = "previous";
    rest::RestObjectMappingOperation(doc.root(), device, *m.device).performMapping();
    EXPECT_EQ(device.name, c.expected) << c.json;
  }
}

TEST(MappingOperation, ContainersInTextFieldsAreDroppedWithAWarning) {
  TestMappings m;
  auto doc = parsed(R"({"name": {"a": 1}, "serial": [1, 2], "status": "ON"})");
  TDevice device;
  rest::RestObjectMappingOperation op(doc.root(), device, *m.device);
  EXPECT_TRUE(op.performMapping());
  EXPECT_FALSE(device.name.has_value());
  EXPECT_FALSE(device.serial.has_value());
  EXPECT_EQ(device.status, "ON");
  ASSERT_EQ(op.warnings().size(), 2u);
  EXPECT_NE(std::find(op.warnings().begin(), op.warnings().end(),
                      "Failed transformation of value at keyPath 'name'. No strategy for transforming from 'NSDictionary' to 'NSString'"),
            op.warnings().end());
}

TEST(MappingOperation, NothingFoundLeavesTheRecordUnchanged) {
  TestMappings m;
  auto doc = parsed(R"({"unrelated": "x"})");
  TDevice device;
  device.serial = "S1";
  EXPECT_FALSE(rest::RestObjectMappingOperation(doc.root(), device, *m.device).performMapping());
  EXPECT_EQ(device.serial, "S1");
  auto onlyNull = parsed(R"({"serial": null})");
  EXPECT_TRUE(rest::RestObjectMappingOperation(onlyNull.root(), device, *m.device).performMapping());  // null is found
  EXPECT_FALSE(device.serial.has_value());
}

TEST(Mapper, DeviceAnswerEdgeCase) {
  TestMappings m;
  auto doc = parsed(R"({"devices": [{"id": 12, "newSensor": true, "name": "Lampe salon"}]})");
  rest::RestObjectMapper mapper(doc.root(), m.provider);
  auto result = mapper.performMapping();
  ASSERT_TRUE(result.ok());
  const auto devices = ofClass<TDevice>(result->asCollection());
  ASSERT_EQ(devices.size(), 1u);
  EXPECT_EQ(devices[0]->identifier, "12");
  EXPECT_EQ(devices[0]->isNewSensor, "true");
  EXPECT_EQ(devices[0]->name, "Lampe salon");
  EXPECT_FALSE(devices[0]->serial.has_value());
  EXPECT_EQ(result->asCollection().size(), 1u);  // no sign-in record: "" found nothing it maps
}

TEST(Mapper, RootKeysAlsoYieldTheSignInRecord) {
  TestMappings m;
  auto doc = parsed(R"({"sessionId": "abc", "devices": [{"serial": "1"}, {"serial": "2"}]})");
  auto result = rest::RestObjectMapper(doc.root(), m.provider).performMapping();
  ASSERT_TRUE(result.ok());
  const auto all = result->asCollection();
  EXPECT_EQ(all.size(), 3u);
  EXPECT_EQ(ofClass<TDevice>(all).size(), 2u);
  ASSERT_EQ(ofClass<TAuth>(all).size(), 1u);
  EXPECT_EQ(ofClass<TAuth>(all)[0]->sessionId, "abc");
}

TEST(Mapper, EmptyAnswersAndUnmappableAnswers) {
  TestMappings m;
  for (const char* empty : {R"({"devices": []})", "{}", "[]"}) {
    auto doc = parsed(empty);
    auto result = rest::RestObjectMapper(doc.root(), m.provider).performMapping();
    ASSERT_TRUE(result.ok()) << empty;
    EXPECT_TRUE(result->asCollection().empty()) << empty;
  }
  // A list none of whose elements is an object holds no records, at the top level or below.
  for (const char* nothing : {R"({"foo": 1})", R"({"devices": null})", R"({"devices": 3})", "[1, 2]",
                              R"({"devices": [[1], [2]]})"}) {
    auto doc = parsed(nothing);
    auto result = rest::RestObjectMapper(doc.root(), m.provider).performMapping();
    ASSERT_FALSE(result.ok()) << nothing;
    EXPECT_EQ(result.error().message, "Could not find an object mapping for keyPath: ''");
    EXPECT_EQ(result.error().code, rest::kRestObjectMappingNoMatch);
  }
}

TEST(Mapper, NestedListsAndRenamedMembers) {
  TestMappings m;
  auto doc = parsed(R"({"history": [
      {"name": "Intrusion", "triggerName": "Porte", "alerts": [{"type": "SMS", "dest": "0600"}, {"type": "MAIL"}, [1], 5]},
      {"name": "Arrêt", "alerts": []},
      {"unmapped": true}]})");
  auto result = rest::RestObjectMapper(doc.root(), m.provider).performMapping();
  ASSERT_TRUE(result.ok());
  const auto events = ofClass<THistory>(result->asCollection());
  ASSERT_EQ(events.size(), 2u);  // the third maps nothing and is dropped
  EXPECT_EQ(events[0]->trigger_name, "Porte");
  ASSERT_EQ(events[0]->media.size(), 2u);  // elements that are not objects are skipped
  EXPECT_EQ(events[0]->media[0]->dest, "0600");
  EXPECT_EQ(events[1]->name, "Arrêt");
  EXPECT_TRUE(events[1]->media.empty());
}

TEST(Mapper, TargetRecordOfAnotherClassYieldsNothingWithoutFailing) {
  TestMappings m;
  auto target = std::make_shared<TSend>();
  auto doc = parsed(R"({"sessionId": "x", "devices": [{"serial": "9"}]})");
  rest::RestObjectMapper mapper(doc.root(), m.provider);
  mapper.setTargetObject(target);
  auto result = mapper.performMapping();
  ASSERT_TRUE(result.ok());
  EXPECT_EQ(result->asCollection().size(), 1u);  // arrays always give new records
  ASSERT_EQ(mapper.errors().size(), 1u);
  EXPECT_EQ(mapper.errors()[0].code, rest::kRestObjectMappingClassMismatch);
  EXPECT_EQ(mapper.errors()[0].message, "Expected an object mapping for class of type 'TSend', provider returned one for 'TAuth'");
}

TEST(Mapper, ObjectAtAKeyPathMapsIntoATargetOfThatKind) {
  TestMappings m;
  rest::RestObjectMappingProvider provider;
  provider.setMappingForKeyPath(m.device, "device");
  auto camera = std::make_shared<TCamera>();  // a kind of TDevice
  camera->defaultCam = "1";
  auto doc = parsed(R"({"device": {"status": "OFF"}})");
  rest::RestObjectMapper mapper(doc.root(), provider);
  mapper.setTargetObject(camera);
  auto result = mapper.performMapping();
  ASSERT_TRUE(result.ok());
  ASSERT_EQ(result->asObject(), camera);
  EXPECT_EQ(camera->status, "OFF");
  EXPECT_EQ(camera->defaultCam, "1");
}

TEST(Mapper, ExplicitMappingReadsTheWholeAnswer) {
  TestMappings m;
  auto doc = parsed(R"({"sessionId": "s-1", "gateway": {"id": 77, "serial": "GW"}, "devices": [{"serial": "1"}]})");
  auto result = rest::RestObjectMapper(doc.root(), m.auth).performMapping();
  ASSERT_TRUE(result.ok());
  auto auth = std::dynamic_pointer_cast<TAuth>(result->asObject());
  ASSERT_TRUE(auth);
  EXPECT_EQ(result->asCollection().size(), 1u);
  ASSERT_TRUE(auth->gateway);
  EXPECT_EQ(auth->gateway->identifier, "77");
  EXPECT_EQ(auth->textAt("gateway.serial")->value(), "GW");
}

TEST(MappingResult, AsErrorJoinsTheMessages) {
  rest::RestObjectMappingResult result;
  auto a = std::make_shared<TDevice>();
  a->name = "x";
  result.set("devices", ObjectList{});
  EXPECT_EQ(result.asObject(), nullptr);
  EXPECT_EQ(result.asError().code, rest::kRestRemoteSystemError);
}
