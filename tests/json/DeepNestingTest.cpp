// Nesting limits: the limit itself is accepted, one more level is a clear error, and hostile
// depths never exhaust a worker thread's small stack.
#include <gtest/gtest.h>
#include <pthread.h>

#include <functional>
#include <string>

#include "json/Errors.h"
#include "json/Parser.h"
#include "json/Serializer.h"

namespace {

std::string nested(int depth, char open, char close, const std::string& inner = "") {
  return std::string(static_cast<std::size_t>(depth), open) + inner + std::string(static_cast<std::size_t>(depth), close);
}

std::string nestedObjects(int depth) {
  std::string text;
  for (int i = 0; i < depth; ++i) text += "{\"a\":";
  text += "1";
  text += std::string(static_cast<std::size_t>(depth), '}');
  return text;
}

// Runs `body` on a thread whose stack is only 64 KiB, far less than a recursive parser would
// need for these inputs.
void onSmallStack(const std::function<void()>& body) {
  pthread_attr_t attributes;
  ASSERT_EQ(pthread_attr_init(&attributes), 0);
  ASSERT_EQ(pthread_attr_setstacksize(&attributes, 64 * 1024), 0);
  pthread_t thread;
  auto trampoline = [](void* argument) -> void* {
    (*static_cast<const std::function<void()>*>(argument))();
    return nullptr;
  };
  ASSERT_EQ(pthread_create(&thread, &attributes, trampoline, const_cast<std::function<void()>*>(&body)), 0);
  pthread_join(thread, nullptr);
  pthread_attr_destroy(&attributes);
}

TEST(DeepNestingTest, AcceptsTheLimitAndWritesItBack) {
  for (const std::string& text : {nested(json::kMaxDepth, '[', ']'), nestedObjects(json::kMaxDepth)}) {
    std::string written;
    onSmallStack([&] {
      auto document = json::parse(text);
      ASSERT_TRUE(document.ok()) << document.error().message;
      written = json::serialize(document.value().root()).value();
    });
    EXPECT_EQ(written, text);
  }
}

TEST(DeepNestingTest, OneLevelMoreIsAClearError) {
  for (const std::string& text : {nested(json::kMaxDepth + 1, '[', ']'), nestedObjects(json::kMaxDepth + 1)}) {
    auto document = json::parse(text);
    ASSERT_FALSE(document.ok());
    EXPECT_EQ(document.error().code, json::kErrorTooDeep);
  }
}

TEST(DeepNestingTest, HostileDepthOnASmallStack) {
  int code = 0;
  onSmallStack([&code] {
    auto document = json::parse(std::string(1'000'000, '['));
    code = document.ok() ? 0 : document.error().code;
  });
  EXPECT_EQ(code, json::kErrorTooDeep);
}

}  // namespace
