// The camera media server: live sliding-window playlists and recording clips made with ffmpeg,
// and the 404 answers when there is nothing (or no ffmpeg) to serve.
#include "SimHarness.h"
#include "home/MediaLibrary.h"
#include "home/MediaService.h"
#include "support/TempDir.h"

#include <QStandardPaths>

#include <gtest/gtest.h>

using simcore::HttpRequest;
using simhome::MediaLibrary;
using simhome::MediaService;

namespace {

HttpRequest get(const QByteArray& path) {
  HttpRequest r;
  r.method = "GET";
  r.path = path;
  r.target = path;
  return r;
}

QList<QByteArray> uris(const QByteArray& playlist) {
  QList<QByteArray> out;
  for (const QByteArray& line : playlist.split('\n'))
    if (!line.isEmpty() && !line.startsWith('#')) out << line;
  return out;
}

TEST(LivePlaylist, SlidesWithTheClockAndMarksEachLoopWrap) {
  const QByteArray start = MediaService::livePlaylist(0, 0);
  EXPECT_TRUE(start.startsWith("#EXTM3U\n"));
  EXPECT_TRUE(start.contains("#EXT-X-MEDIA-SEQUENCE:0\n"));
  EXPECT_EQ(uris(start), QList<QByteArray>({"media_0.ts", "media_1.ts", "media_2.ts", "media_3.ts"}));
  EXPECT_FALSE(start.contains("#EXT-X-ENDLIST")) << "a live playlist has no end";

  const QByteArray later = MediaService::livePlaylist(1000, 1000 + 2 * 1000 * MediaLibrary::kSegmentSeconds + 1);
  EXPECT_TRUE(later.contains("#EXT-X-MEDIA-SEQUENCE:2\n"));
  EXPECT_EQ(uris(later).first(), "media_2.ts");
  EXPECT_EQ(uris(later).size(), MediaService::kWindowSegments);
  // Segment 5 restarts the loop of 5: a discontinuity comes right before it.
  EXPECT_TRUE(later.contains("#EXT-X-DISCONTINUITY\n#EXTINF:2.000,\nmedia_5.ts\n"));
  const QByteArray wrapped = MediaService::livePlaylist(0, 6 * 1000 * MediaLibrary::kSegmentSeconds);
  EXPECT_TRUE(wrapped.contains("#EXT-X-DISCONTINUITY-SEQUENCE:1\n"));
}

TEST(Media, WithoutFfmpegEveryMediaAddressAnswers404) {
  tbtest::TempDir dir;
  QStringList said;
  MediaLibrary media(dir.path(), dir.file("no-ffmpeg-here"), [&](const QString& line) { said << line; });
  EXPECT_FALSE(media.available());
  ASSERT_EQ(said.size(), 1) << "said once";
  EXPECT_TRUE(said.first().contains("ffmpeg"));
  media.prepareCamera("CAM", "Camera");
  simtest::SimHarness sim;
  ASSERT_FALSE(sim.signIn().isEmpty());
  ASSERT_EQ(sim.call("PUT", "/video/start/CAM-ENTREE").status, 200) << "the REST side still works";
  MediaService service(&sim.service(), &media, &sim.clock);
  EXPECT_EQ(service.dispatch(get("/live/_definst_/GW0042A7/live.sdp/playlist.m3u8")).status, 404);
  EXPECT_EQ(service.dispatch(get("/playback/_definst_/mp4:GW0042A7/CAM-ENTREE_1.mp4/playlist.m3u8")).status, 404);
  EXPECT_EQ(said.size(), 1);
}

class MediaWithFfmpeg : public ::testing::Test {
 protected:
  void SetUp() override {
    if (QStandardPaths::findExecutable("ffmpeg").isEmpty()) GTEST_SKIP() << "ffmpeg is not installed";
    media = std::make_unique<MediaLibrary>(dir.path(), QString(), [this](const QString& line) { log << line; });
    ASSERT_FALSE(sim.signIn().isEmpty());
    sim.service().setMediaLibrary(media.get());
    service = std::make_unique<MediaService>(&sim.service(), media.get(), &sim.clock);
  }
  tbtest::TempDir dir;
  QStringList log;
  simtest::SimHarness sim;
  std::unique_ptr<MediaLibrary> media;
  std::unique_ptr<MediaService> service;
};

TEST_F(MediaWithFfmpeg, LiveStreamFollowsTheVideoStartOfItsGateway) {
  media->prepareCamera("CAM-RUE", "Caméra rue");
  ASSERT_TRUE(media->waitIdle(60000));
  ASSERT_TRUE(media->cameraReady("CAM-RUE")) << log.join('\n').toStdString();
  const QByteArray playlistPath = "/live/_definst_/GW0042A7/live.sdp/playlist.m3u8";
  EXPECT_EQ(service->dispatch(get(playlistPath)).status, 404) << "no video started yet";

  ASSERT_EQ(sim.call("PUT", "/video/start/CAM-RUE").status, 200);
  const simcore::HttpResponse playlist = service->dispatch(get(playlistPath));
  ASSERT_EQ(playlist.status, 200);
  EXPECT_EQ(playlist.header("Content-Type"), "application/vnd.apple.mpegurl");
  const QList<QByteArray> segments = uris(playlist.body);
  ASSERT_EQ(segments.size(), MediaService::kWindowSegments);
  const simcore::HttpResponse segment = service->dispatch(get("/live/_definst_/GW0042A7/live.sdp/" + segments.last()));
  ASSERT_EQ(segment.status, 200);
  EXPECT_EQ(segment.header("Content-Type"), "video/mp2t");
  ASSERT_FALSE(segment.body.isEmpty());
  EXPECT_EQ(segment.body.at(0), char(0x47)) << "MPEG-TS sync byte";
  EXPECT_EQ(service->dispatch(get("/live/_definst_/GW0042A7/live.sdp/media_" + QByteArray::number(5) + ".ts")).body,
            service->dispatch(get("/live/_definst_/GW0042A7/live.sdp/media_0.ts")).body)
      << "the loop repeats";

  sim.clock.advanceMs(1000 * MediaLibrary::kSegmentSeconds);
  EXPECT_EQ(uris(service->dispatch(get(playlistPath)).body).first(), segments[1]) << "the window slides";

  EXPECT_EQ(service->dispatch(get("/live/_definst_/OTHER/live.sdp/playlist.m3u8")).status, 404);
  EXPECT_EQ(service->dispatch(get("/live/_definst_/GW0042A7/live.sdp/media_x.ts")).status, 404);
  ASSERT_EQ(sim.call("PUT", "/video/stop").status, 200);
  EXPECT_EQ(service->dispatch(get(playlistPath)).status, 404);
}

TEST_F(MediaWithFfmpeg, RecordingsArePlayedBackFromTheirClip) {
  ASSERT_EQ(sim.call("PUT", "/video/record/CAM-ENTREE").status, 200);
  ASSERT_TRUE(media->waitIdle(60000));
  const QByteArray base = "/playback/_definst_/mp4:GW0042A7/CAM-ENTREE_6.mp4/";
  const simcore::HttpResponse playlist = service->dispatch(get(base + "playlist.m3u8"));
  ASSERT_EQ(playlist.status, 200) << log.join('\n').toStdString();
  EXPECT_TRUE(playlist.body.contains("#EXT-X-ENDLIST"));
  const QList<QByteArray> segments = uris(playlist.body);
  ASSERT_FALSE(segments.isEmpty());
  EXPECT_EQ(service->dispatch(get(base + segments.first())).status, 200);

  EXPECT_EQ(service->dispatch(get("/playback/_definst_/mp4:GW0042A7/CAM-ENTREE_99.mp4/playlist.m3u8")).status, 404);
  EXPECT_EQ(service->dispatch(get("/playback/_definst_/mp4:OTHER/CAM-ENTREE_6.mp4/playlist.m3u8")).status, 404);
  EXPECT_EQ(service->dispatch(get(base + "..%2F..%2Fready")).status, 404) << "only the clip's own files";
  EXPECT_EQ(service->dispatch(get(base + "ready")).status, 404);
  simcore::HttpRequest put = get(base + "playlist.m3u8");
  put.method = "PUT";
  EXPECT_EQ(service->dispatch(put).status, 405);
}

}  // namespace
