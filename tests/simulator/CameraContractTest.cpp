// Cameras over the wire: still images and their session, pan and tilt, live video sessions,
// recordings and the playback server.
#include "SimHarness.h"

#include <QImage>
#include <QJsonArray>

#include <gtest/gtest.h>

using simtest::Reply;
using simtest::SimHarness;

namespace {

class Cameras : public ::testing::Test {
 protected:
  void SetUp() override { ASSERT_FALSE(sim.signIn().isEmpty()); }

  QImage image(const QString& serial) {
    const Reply r = sim.call("GET", "/video/image/" + serial);
    EXPECT_EQ(r.status, 200) << r.body.constData();
    const QJsonArray list = r.json.value("list").toArray();
    for (const QJsonValue& v : list)
      if (v.toObject().value("key") == "image") return QImage::fromData(QByteArray::fromBase64(v.toObject().value("value").toString().toLatin1()));
    ADD_FAILURE() << "no image in the list";
    return {};
  }

  SimHarness sim;
};

TEST_F(Cameras, NoImageBeforeTheImageSessionStarts) {
  EXPECT_EQ(sim.call("GET", "/video/image/CAM-ENTREE").status, 404);
  ASSERT_EQ(sim.call("PUT", "/video/image/start/0").status, 200);
  const Reply r = sim.call("GET", "/video/image/CAM-ENTREE");
  ASSERT_EQ(r.status, 200);
  const QJsonArray list = r.json.value("list").toArray();
  ASSERT_EQ(list.size(), 2);
  EXPECT_EQ(list[1].toObject().value("key"), "image") << "the app finds the image as first or second pair";
  const QImage picture = QImage::fromData(QByteArray::fromBase64(list[1].toObject().value("value").toString().toLatin1()), "JPG");
  EXPECT_EQ(picture.size(), QSize(320, 240));
  EXPECT_EQ(sim.call("GET", "/video/image/NO-CAMERA").status, 404);
  EXPECT_EQ(sim.call("GET", "/video/image/LGT-SALON").status, 404) << "a light has no picture";
  ASSERT_EQ(sim.call("PUT", "/video/image/stop").status, 200);
  EXPECT_EQ(sim.call("GET", "/video/image/CAM-ENTREE").status, 404);
  EXPECT_EQ(sim.call("PUT", "/video/image/start/NO-CAMERA").status, 404);
  EXPECT_EQ(sim.call("PUT", "/video/image/start/CAM-RUE").status, 200);
}

TEST_F(Cameras, ImageSessionsBelongToOneSignIn) {
  ASSERT_EQ(sim.call("PUT", "/video/image/start/0").status, 200);
  const QString first = sim.session;
  ASSERT_FALSE(sim.signIn().isEmpty());
  EXPECT_EQ(sim.call("GET", "/video/image/CAM-ENTREE").status, 404);
  sim.session = first;
  EXPECT_EQ(sim.call("GET", "/video/image/CAM-ENTREE").status, 200);
}

TEST_F(Cameras, PicturesChangeWithTimeAndWithPanAndTilt) {
  ASSERT_EQ(sim.call("PUT", "/video/image/start/0").status, 200);
  const QImage before = image("CAM-JARDIN");
  EXPECT_EQ(image("CAM-JARDIN"), before) << "same moment, same picture";
  sim.clock.advanceMs(4000);
  const QImage later = image("CAM-JARDIN");
  EXPECT_NE(later, before) << "the clock and the bird move";
  ASSERT_EQ(sim.call("PUT", "/device/camera/CAM-JARDIN/command", R"({"key":"command","value":"MVL"})").status, 200);
  EXPECT_NE(image("CAM-JARDIN"), later) << "the view moved";
  ASSERT_EQ(sim.call("PUT", "/device/camera/CAM-JARDIN/command", R"({"key":"command","value":"MVH"})").status, 200);
  EXPECT_EQ(image("CAM-JARDIN"), later) << "home brings the view back";
  EXPECT_NE(image("CAM-RUE"), later) << "each camera has its own scene";
}

TEST_F(Cameras, PanAndTiltCommandsAreCheckedAndStopAtTheLimits) {
  for (int i = 0; i < 10; ++i)
    ASSERT_EQ(sim.call("PUT", "/device/camera/CAM-JARDIN/command", R"({"key":"command","value":"MVU"})").status, 200);
  const simhome::Device* cam = sim.service().homes().at(QString()).home.device("CAM-JARDIN");
  EXPECT_EQ(cam->tilt, simhome::kTiltSteps);
  EXPECT_EQ(sim.call("PUT", "/device/camera/CAM-ENTREE/command", R"({"key":"command","value":"MVL"})").status, 400)
      << "the front camera has no motor";
  EXPECT_EQ(sim.call("PUT", "/device/camera/CAM-JARDIN/command", R"({"key":"command","value":"ZOOM"})").status, 400);
  EXPECT_EQ(sim.call("PUT", "/device/camera/CAM-JARDIN/command", R"({"key":"cmd","value":"MVL"})").status, 400);
  EXPECT_EQ(sim.call("PUT", "/device/camera/NOPE/command", R"({"key":"command","value":"MVL"})").status, 404);
}

TEST_F(Cameras, VideoStartAnswersTheLiveServer) {
  const Reply r = sim.call("PUT", "/video/start/CAM-RUE");
  ASSERT_EQ(r.status, 200);
  EXPECT_EQ(r.json.value("server").toString(), "127.0.0.1");
  EXPECT_EQ(r.json.value("serverPort").toString(), "8471");
  EXPECT_TRUE(r.json.contains("h263"));
  EXPECT_TRUE(r.json.contains("h264"));
  ASSERT_TRUE(sim.service().liveFeed("GW0042A7").has_value());
  EXPECT_EQ(sim.service().liveFeed("GW0042A7")->cameraSerial, "CAM-RUE");
  EXPECT_EQ(sim.call("PUT", "/video/start/LGT-SALON").status, 404);
  ASSERT_EQ(sim.call("PUT", "/video/stop").status, 200);
  EXPECT_FALSE(sim.service().liveFeed("GW0042A7").has_value()) << "nobody watches any more";
}

TEST_F(Cameras, RecordingStartAddsARecordingOnDemand) {
  const QJsonArray before = sim.call("GET", "/video/record").json.value("records").toArray();
  ASSERT_EQ(before.size(), 5);
  const QJsonObject alert = before[0].toObject();
  EXPECT_EQ(alert.value("type"), "1");
  EXPECT_EQ(alert.value("sensorName"), "Porte d'entrée");
  for (const char* member : {"id", "date", "sensorName", "sensorType", "type", "files"}) EXPECT_TRUE(alert.contains(member)) << member;
  const QJsonObject file = alert.value("files").toArray()[0].toObject();
  for (const char* member : {"id", "date", "duration", "name"}) EXPECT_TRUE(file.contains(member)) << member;

  sim.clock.advanceMs(60000);
  ASSERT_EQ(sim.call("PUT", "/video/record/CAM-JARDIN").status, 200);
  const QJsonArray after = sim.call("GET", "/video/record").json.value("records").toArray();
  ASSERT_EQ(after.size(), 6);
  const QJsonObject made = after[0].toObject();
  EXPECT_EQ(made.value("type"), "0");
  EXPECT_EQ(made.value("sensorName"), "Caméra jardin");
  EXPECT_EQ(made.value("id").toInt(), 6);
  EXPECT_EQ(made.value("files").toArray()[0].toObject().value("name"), "CAM-JARDIN_6.mp4");
  EXPECT_EQ(sim.call("PUT", "/video/record/LGT-SALON").status, 404);
}

TEST_F(Cameras, PlaybackServerIsTheMediaHost) {
  const Reply r = sim.call("GET", "/video/playback");
  EXPECT_EQ(r.status, 200);
  EXPECT_EQ(r.json, QJsonObject({{"server", "127.0.0.1"}}));
}

}  // namespace
