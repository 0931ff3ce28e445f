#include "BackendTestSupport.h"

#include "backend/BEServiceCamera.h"
#include "backend/BESessionManager.h"

using namespace backendtest;
using simcore::HttpResponse;

namespace {

class CameraServiceTest : public BackendTest {
 protected:
  QStringList getImage(HttpResponse answer, const QString& serial = "CAM-1") {
    return answerWith([&] { BEServiceCamera::getInstance().getImageWithId(serial); }, std::move(answer));
  }
  static const std::optional<QByteArray>& image() { return BESessionManager::getInstance().imageData(); }
};

TEST_F(CameraServiceTest, StillImagesAreDecodedFromTheImagePair) {
  struct Case {
    const char* what;
    QByteArray answer;
    std::optional<QByteArray> expected;
  };
  const Case cases[] = {
      {"first pair", R"({"list": [{"key": "image", "value": "aGVsbG8="}]})", QByteArray("hello")},
      {"second pair", R"({"list": [{"key": "serial", "value": "CAM-1"}, {"key": "image", "value": "TWFu"}]})",
       QByteArray("Man")},
      {"white space and padding", R"({"list": [{"key": "image", "value": "aGVs\nbG8\t=="}]})", QByteArray("hello")},
      {"empty text", R"({"list": [{"key": "image", "value": ""}]})", QByteArray("")},
      {"foreign character", R"({"list": [{"key": "image", "value": "aGVs*bG8="}]})", std::nullopt},
      {"lone final symbol", R"({"list": [{"key": "image", "value": "TWFuTWFuQ"}]})", std::nullopt},
  };
  for (const Case& c : cases) {
    BESessionManager::getInstance().setImageData(QByteArray("previous"));
    EXPECT_EQ(getImage(HttpResponse::json(200, c.answer)), QStringList{kSuccessCameraGetImage}) << c.what;
    EXPECT_EQ(image(), c.expected) << c.what;
  }
  const auto sent = request();
  EXPECT_EQ(sent.method, "GET");
  EXPECT_EQ(sent.path, wirePath("/video/image/CAM-1;jsessionid=S1"));
}

TEST_F(CameraServiceTest, AMissingImageKeepsTheLastOne) {
  BESessionManager::getInstance().setImageData(QByteArray("last"));
  // Not there yet: announced as success, no alert.
  EXPECT_EQ(getImage(HttpResponse::json(404, R"({"error": "no image"})")), QStringList{kSuccessCameraGetImage});
  // An answer without any image pair.
  EXPECT_EQ(getImage(HttpResponse::json(200, R"({"list": [{"key": "serial", "value": "CAM-1"}]})")),
            QStringList{kSuccessCameraGetImage});
  EXPECT_EQ(getImage(HttpResponse::json(200, R"({"list": []})")), QStringList{kSuccessCameraGetImage});
  EXPECT_EQ(image(), QByteArray("last"));
  EXPECT_EQ(getImage(HttpResponse::text(500, "down")), (QStringList{kErrorCameraGetImage, kNotification5xxServerError}));
  EXPECT_EQ(image(), QByteArray("last"));
  getImage(HttpResponse::json(404, "{}"), "CAM 2");
  EXPECT_EQ(request(4).path, wirePath("/video/image/CAM%202;jsessionid=S1"));
}

TEST_F(CameraServiceTest, VideoStartStoresTheLiveServer) {
  const auto start = [] { BEServiceCamera::getInstance().putStartVideoSessionWithId("CAM-2"); };
  EXPECT_EQ(answerWith(start, HttpResponse::json(200, R"({"server": "10.0.0.5", "serverPort": "1935", "h264": "1"})")),
            QStringList{kSuccessCameraPutStartVideo});
  const auto live = BESessionManager::getInstance().live();
  ASSERT_TRUE(live);
  EXPECT_EQ(live->server, "10.0.0.5");
  EXPECT_EQ(live->serverPort, "1935");

  const auto sent = request();
  EXPECT_EQ(sent.method, "PUT");
  EXPECT_EQ(sent.path, wirePath("/video/start/CAM-2;jsessionid=S1"));
  EXPECT_EQ(sent.header("Content-Length"), "0");
  EXPECT_TRUE(sent.body.isEmpty());

  // Without a server there is nothing to play: a failure, and the last server stays.
  EXPECT_EQ(answerWith(start, HttpResponse::json(200, "")), QStringList{kErrorCameraPutStartVideo});
  EXPECT_EQ(BESessionManager::getInstance().live(), live);
}

TEST_F(CameraServiceTest, PlaybackServerIsMappedIntoTheSentRecord) {
  EXPECT_EQ(answerWith([] { BEServiceCamera::getInstance().getRecServer(); },
                       HttpResponse::json(200, R"({"server": "media.example"})")),
            QStringList{kSuccessCameraGetPlayback});
  const auto playback = BESessionManager::getInstance().playback();
  ASSERT_TRUE(playback);
  EXPECT_EQ(playback->server, "media.example");
  EXPECT_EQ(playback->session, "S1");  // it is the record that was sent

  const auto sent = request();
  EXPECT_EQ(sent.method, "GET");
  EXPECT_EQ(sent.path, wirePath("/video/playback;jsessionid=S1"));
}

TEST_F(CameraServiceTest, RecordingsWithTheirFiles) {
  EXPECT_EQ(answerWith([] { BEServiceCamera::getInstance().getRecList(); }, HttpResponse::json(200, R"({"records": [
      {"id": 1, "date": "07/03/2013 20:40:12", "sensorName": "Entrée", "sensorType": "P1DO", "type": 1,
       "files": [{"id": 1, "date": "07/03/2013 20:40:12", "duration": 8, "name": "CAM_1.mp4"}]}]})")),
            QStringList{kSuccessCameraGetRecList});
  const auto& recs = BESessionManager::getInstance().recs();
  ASSERT_EQ(recs.size(), 1u);
  EXPECT_EQ(recs[0]->sensorName, "Entrée");
  ASSERT_EQ(recs[0]->files.size(), 1u);
  EXPECT_EQ(recs[0]->files[0]->name, "CAM_1.mp4");
  EXPECT_EQ(recs[0]->files[0]->duration, "8");
}

}  // namespace
