// A screen's calls: one outcome each, the overlay while any call that asked for it is out, and
// nothing for an owner that went.
#include "BackendTestSupport.h"

#include "backend/BEServiceDevice.h"
#include "backend/BEServiceLogin.h"
#include "backend/BESessionManager.h"
#include "backend/ProgressOverlay.h"
#include "backend/ServiceCalls.h"

using namespace backendtest;
using backend::ServiceCalls;
using simcore::HttpResponse;

namespace {

struct CountingOverlay : backend::ProgressOverlay {
  bool showing = false;
  void show(bool) override { showing = true; }
  void hide(bool) override { showing = false; }
};

class ServiceCallsTest : public BackendTest {
 protected:
  void SetUp() override {
    BackendTest::SetUp();
    BESessionManager::getInstance().setUiHUD(overlay);
  }
  std::shared_ptr<CountingOverlay> overlay = std::make_shared<CountingOverlay>();
};

TEST_F(ServiceCallsTest, TheOverlayStaysUntilTheLastCallThatAskedForItEnds) {
  server.script().enqueue(HttpResponse::json(200, "").withEffect(simcore::SocketEffect::hold()));
  server.script().enqueue(HttpResponse::json(500, "").withEffect(simcore::SocketEffect::hold()));
  ServiceCalls calls;
  QStringList heard;
  auto put = [](const char* serial) { return BEServiceDevice::getInstance().putStatusWithId("ON", serial); };
  calls.call(put("A"), [&] { heard << "A ok"; }, [&] { heard << "A failed"; }, ServiceCalls::Overlay::Show);
  calls.call(put("B"), [&] { heard << "B ok"; }, [&] { heard << "B failed"; }, ServiceCalls::Overlay::Show);
  EXPECT_TRUE(overlay->showing);
  ASSERT_TRUE(tbtest::waitUntil([&] { return server.server().heldCount() == 2; }));
  server.server().releaseHeld();
  ASSERT_TRUE(waitForFinished(2));
  heard.sort();
  EXPECT_EQ(heard, (QStringList{"A ok", "B failed"}));
  EXPECT_FALSE(overlay->showing);
  EXPECT_EQ(calls.pendingCount(), 0u);
}

TEST_F(ServiceCallsTest, AnOwnerThatWentHearsNothingAndLeavesNoOverlay) {
  server.script().enqueue(HttpResponse::json(200, "").withEffect(simcore::SocketEffect::hold()));
  int heard = 0;
  {
    ServiceCalls calls;
    calls.call(BEServiceDevice::getInstance().putStatusWithId("ON", "A"), [&] { ++heard; }, [&] { ++heard; },
               ServiceCalls::Overlay::Show);
    ASSERT_TRUE(tbtest::waitUntil([&] { return server.server().heldCount() == 1; }));
  }
  EXPECT_FALSE(overlay->showing);
  server.server().releaseHeld();
  ASSERT_TRUE(waitForFinished());
  EXPECT_EQ(heard, 0);
  EXPECT_EQ(log.names(), QStringList{kSuccessDevicePutStatus}) << "the named notification still goes out";
}

TEST_F(ServiceCallsTest, AnOperationRefusedBeforeSendingEndsInItsErrorAtOnce) {
  ServiceCalls calls;
  int errors = 0;
  calls.call(BEServiceLogin::getInstance().postLoginWithPassword("demo", QStringLiteral("mot de passe é")), {},
             [&] { ++errors; }, ServiceCalls::Overlay::Show);
  EXPECT_EQ(errors, 1);
  EXPECT_FALSE(overlay->showing);
}

TEST_F(ServiceCallsTest, AFailureCanBeToldApartByItsStatus) {
  // A quiet 404 (the existence check's "no"), a server error, a gateway code and no answer at all.
  server.script().enqueue(HttpResponse::json(404, ""));
  server.script().enqueue(HttpResponse::json(503, ""));
  server.script().enqueue(HttpResponse::text(600, "GATEWAY_OFF"));
  // The transport tries a dropped keep-alive connection once more.
  for (int i = 0; i < 2; ++i)
    server.script().enqueue(HttpResponse::json(200, "").withEffect(simcore::SocketEffect::closeBeforeAnswer()));
  ServiceCalls calls;
  std::vector<int> statuses;
  for (int i = 0; i < 4; ++i) {
    calls.callWithStatus(BEServiceDevice::getInstance().getDeviceExist("USB_WEATHER_VYR"), [] {},
                         [&](int status) { statuses.push_back(status); });
    ASSERT_TRUE(waitForFinished(i + 1));
  }
  EXPECT_EQ(statuses, (std::vector<int>{404, 503, 600, 0}));
}

}  // namespace

// A reply can be ended by hand, so a screen's calls can be driven without a socket.
TEST(ServiceCallsReplyTest, RepliesEndedByHandReachOneHandlerAndARefreshIgnoresAnUnchangedAnswer) {
  ServiceCalls calls;
  QStringList heard;
  auto ok = std::make_shared<backend::Reply>(), failed = std::make_shared<backend::Reply>();
  auto unchanged = std::make_shared<backend::Reply>(), changed = std::make_shared<backend::Reply>();
  calls.call(ok, [&] { heard << "ok"; }, [&] { heard << "ok failed"; });
  calls.callWithStatus(failed, [&] { heard << "failed ok"; }, [&](int status) { heard << QString::number(status); });
  calls.refresh(unchanged, [&] { heard << "unchanged"; });
  calls.refresh(changed, [&] { heard << "changed"; });
  EXPECT_EQ(calls.pendingCount(), 4u);
  ok->finish();
  failed->fail(615);
  failed->finish();  // a reply ends once
  unchanged->finish(true);
  changed->finish();
  EXPECT_EQ(heard, (QStringList{"ok", "615", "changed"}));
  EXPECT_EQ(calls.pendingCount(), 0u);

  auto late = std::make_shared<backend::Reply>();
  {
    ServiceCalls gone;
    gone.call(late, [&] { heard << "late"; }, {});
  }
  late->finish();
  EXPECT_EQ(heard.size(), 3) << "an owner that went hears nothing";
  calls.call(backend::Reply::failedNow(), {}, [&] { heard << "at once"; });
  EXPECT_EQ(heard.last(), "at once");
}
