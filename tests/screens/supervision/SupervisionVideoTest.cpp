// Real video from the simulated service: the live stream of the garden camera and the playback
// of a recording, decoded by the platform's media player and received as frames. A machine
// without a usable decoder (or without ffmpeg to make the video) fails these tests, saying so.
#include "SupervisionTestSupport.h"

#include "controls/camera/CustomPageControl.h"
#include "controls/camera/CustomPanAndZoom.h"
#include "screens/supervision/CustomMoviePlayerViewController.h"
#include "screens/supervision/MyRecTableViewController.h"
#include "screens/supervision/VideoFrameView.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/Views.h"

#include <QMediaFormat>

namespace supervisiontest {
namespace {

// Frames a player puts on show.
struct Frames {
  explicit Frames(CustomMoviePlayerViewController* player) {
    QObject::connect(player->frameView(), &VideoFrameView::frameShown, &context, [this](const QImage& frame) {
      frames.push_back({frame.size(), frame});
    });
  }
  struct Frame {
    QSize size;
    QImage image;
  };
  QObject context;
  std::vector<Frame> frames;
};

class SupervisionVideoTest : public SupervisionTest {
 protected:
  SupervisionVideoTest() { serveMedia = true; }
  void SetUp() override {
#if defined(__SANITIZE_THREAD__)
    // Real decoding runs in FFmpeg and GStreamer's decoders, built without the sanitizer: their
    // own threads report by the dozen there. The player's side is covered by the other
    // supervision tests, which do run under it.
    GTEST_SKIP() << "real decoding is not checked under the thread sanitizer";
#endif
    SupervisionTest::SetUp();
    if (HasFatalFailure()) return;
    ASSERT_TRUE(media()->available()) << "ffmpeg is missing: the simulated service cannot make the cameras' video";
    ASSERT_TRUE(QMediaFormat().supportedVideoCodecs(QMediaFormat::Decode).contains(QMediaFormat::VideoCodec::H264))
        << "no usable H.264 decoder: Qt Multimedia's GStreamer backend needs gstreamer1.0-libav and the base, good and "
           "bad plugins";
  }
  // Waits for `count` frames, or fails saying why the player gave none.
  void expectFrames(MySupervisionController* screen, Frames& seen, size_t count) {
    CustomMoviePlayerViewController* player = screen->moviePlayer();
    const bool enough = tbtest::waitUntil([&] { return seen.frames.size() >= count || !player->isStarted(); }, 30000);
    ASSERT_TRUE(enough && seen.frames.size() >= count)
        << "the player decoded " << seen.frames.size() << " frames of " << player->source().toString().toStdString()
        << (player->isStarted() ? "" : ", then stopped") << ": " << player->errorString().toStdString();
  }
};

}  // namespace

TEST_F(SupervisionVideoTest, TheGardenCamerasLiveVideoAndARecordingPlayAsRealFrames) {
  auto* screen = openSupervision();
  Heard heard;
  heard.on(screen->videoSession(), &VideoSession::playerReady, "playerReady")
      .on(screen->videoSession(), &VideoSession::firstFrame, "firstFrame")
      .on(screen->videoSession(), &VideoSession::stopped, "stopped");
  screen->showCameraPage(pageOf(screen, "CAM-JARDIN"));
  screen->playCurrentCamera();
  // The stream is there at once: no 25 s wait.
  ASSERT_TRUE(advanceUntil([&] { return screen->moviePlayer() != nullptr; }, 3.0, 0.25));
  {
    Frames seen(screen->moviePlayer());
    expectFrames(screen, seen, 20);
    EXPECT_EQ(seen.frames.front().size, QSize(160, 120));
    EXPECT_NE(seen.frames.front().image, seen.frames.back().image) << "the picture moves";
    EXPECT_FALSE(screen->moviePlayer()->frameView()->lastFrame().isNull()) << "the screen shows the frames itself";
    EXPECT_FALSE(screen->loadingLabel()->isVisible());
  }
  screen->videoSession()->showMenu();
  tap(screen->panAndZoom()->stop());
  EXPECT_FALSE(screen->isVideoMode());
  EXPECT_EQ(heard.events, (std::vector<std::string>{"playerReady", "firstFrame", "stopped"}));

  // The recording of the garden camera, from its row's play button.
  MyRecTableViewController* list = screen->listRecTableView();
  int row = -1;
  for (size_t i = 0; i < list->recs().size(); ++i)
    if (list->recs()[i]->files.size() == 1 && list->recs()[i]->files[0]->name == "CAM-JARDIN_2.mp4") row = int(i);
  ASSERT_GE(row, 0);
  list->runPlayBack(ui::viewWithTag<ui::Button>(list->tableView()->cellForRowAtIndexPath({0, row}), MyRecTableViewController::kPlayButtonTag));
  ASSERT_TRUE(tbtest::waitUntil([&] { return screen->moviePlayer()->isStarted(); }));
  EXPECT_EQ(screen->moviePlayer()->source().toString(),
            QStringLiteral("http://127.0.0.1:%1/playback/_definst_/mp4:GW0042A7/CAM-JARDIN_2.mp4/playlist.m3u8").arg(mediaPort()));
  Frames seen(screen->moviePlayer());
  expectFrames(screen, seen, 10);
  EXPECT_EQ(seen.frames.front().size, QSize(160, 120));
  EXPECT_NE(seen.frames.front().image, seen.frames.back().image);
  // The clip ends by itself and the screen comes back.
  ASSERT_TRUE(tbtest::waitUntil([&] { return !screen->isVideoMode(); }, 20000));
  EXPECT_TRUE(screen->videoPageControl()->isVisible());
}

}  // namespace supervisiontest
