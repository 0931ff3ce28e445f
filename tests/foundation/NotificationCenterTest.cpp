#include "foundation/NotificationCenter.h"

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

using foundation::Notification;
using foundation::NotificationCenter;
using foundation::Observation;

TEST(NotificationCenter, DeliversInRegistrationOrderToMatchingNamesOnly) {
  NotificationCenter center;
  std::vector<std::string> calls;
  auto a = center.addObserver("kSuccessDeviceGetList", [&](const Notification&) { calls.push_back("a"); });
  auto b = center.addObserver("kErrorDeviceGetList", [&](const Notification&) { calls.push_back("b"); });
  auto c = center.addObserver("kSuccessDeviceGetList", [&](const Notification&) { calls.push_back("c"); });
  center.post("kSuccessDeviceGetList");
  EXPECT_EQ(calls, (std::vector<std::string>{"a", "c"}));
}

TEST(NotificationCenter, FiltersBySenderAndCarriesUserInfo) {
  NotificationCenter center;
  int mine = 0, anyone = 0;
  int senderA = 0, senderB = 0;
  std::optional<int> code;
  auto onlyA = center.addObserver("n", [&](const Notification&) { ++mine; }, &senderA);
  auto all = center.addObserver("n", [&](const Notification& n) {
    ++anyone;
    if (auto* v = n.info<int>("code")) code = *v;
    EXPECT_EQ(n.info<std::string>("code"), nullptr);  // wrong type reads as absent
  });
  center.post("n", &senderB, {{"code", 403}});
  center.post("n", &senderA);
  EXPECT_EQ(mine, 1);
  EXPECT_EQ(anyone, 2);
  EXPECT_EQ(code, 403);
}

TEST(NotificationCenter, ObserverRemovedMidDeliveryIsNotCalled) {
  NotificationCenter center;
  std::vector<std::string> calls;
  Observation second;
  auto first = center.addObserver("n", [&](const Notification&) {
    calls.push_back("first");
    second.reset();  // removes an observer that is later in this very delivery
  });
  second = center.addObserver("n", [&](const Notification&) { calls.push_back("second"); });
  center.post("n");
  center.post("n");
  EXPECT_EQ(calls, (std::vector<std::string>{"first", "first"}));
}

TEST(NotificationCenter, ObserverDestroyedMidDeliveryIsNeverCalledBack) {
  // A "screen" that owns its observation is destroyed by an earlier observer of the same
  // notification: its handler must not run (it would touch freed memory).
  struct Screen {
    explicit Screen(NotificationCenter& c, int& hits)
        : observation(c.addObserver("kRenewSession", [this, &hits](const Notification&) { hits += alive; })) {}
    int alive = 1;
    Observation observation;
  };
  NotificationCenter center;
  int hits = 0;
  std::unique_ptr<Screen> screen;
  auto killer = center.addObserver("kRenewSession", [&](const Notification&) { screen.reset(); });
  screen = std::make_unique<Screen>(center, hits);
  center.post("kRenewSession");
  EXPECT_EQ(hits, 0);
  EXPECT_EQ(center.observerCount(), 1u);
}

TEST(NotificationCenter, ObserverMayRemoveItselfAndAddOthersDuringDelivery) {
  NotificationCenter center;
  std::vector<std::string> calls;
  Observation self, added;
  self = center.addObserver("n", [&](const Notification&) {
    calls.push_back("self");
    self.reset();  // the running handler stays valid while it finishes
    added = center.addObserver("n", [&](const Notification&) { calls.push_back("added"); });
    calls.push_back("still running");
  });
  center.post("n");  // the observer added during delivery first hears the next post
  center.post("n");
  EXPECT_EQ(calls, (std::vector<std::string>{"self", "still running", "added"}));
}

TEST(NotificationCenter, PostingFromAHandlerNestsSynchronously) {
  NotificationCenter center;
  std::vector<std::string> calls;
  auto outer = center.addObserver("outer", [&](const Notification&) {
    calls.push_back("outer-begin");
    center.post("inner");
    calls.push_back("outer-end");
  });
  auto inner = center.addObserver("inner", [&](const Notification&) { calls.push_back("inner"); });
  center.post("outer");
  EXPECT_EQ(calls, (std::vector<std::string>{"outer-begin", "inner", "outer-end"}));
}

TEST(NotificationCenter, TokensOutlivingTheCenterAreHarmless) {
  Observation survivor;
  {
    NotificationCenter center;
    survivor = center.addObserver("n", [](const Notification&) {});
  }
  survivor.reset();
  EXPECT_FALSE(survivor.isActive());
}

TEST(Observations, UnsubscribesByNameAndOnDestruction) {
  NotificationCenter center;
  int errors = 0, successes = 0;
  {
    foundation::Observations bag(center);
    bag.add("kErrorLoginPostLogin", [&](const Notification&) { ++errors; });
    bag.add("kSuccessLoginPostLogin", [&](const Notification&) { ++successes; });
    center.post("kErrorLoginPostLogin");
    bag.remove("kErrorLoginPostLogin");
    EXPECT_FALSE(bag.observes("kErrorLoginPostLogin"));
    center.post("kErrorLoginPostLogin");
    center.post("kSuccessLoginPostLogin");
  }
  center.post("kSuccessLoginPostLogin");
  EXPECT_EQ(errors, 1);
  EXPECT_EQ(successes, 1);
  EXPECT_EQ(center.observerCount(), 0u);
}
