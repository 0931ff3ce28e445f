#pragma once
// The camera media server: HLS playlists and segments for the live video of a gateway and for
// the playback of recordings, at the addresses the app builds:
//   /live/_definst_/<gateway id>/live.sdp/playlist.m3u8          (a sliding live window)
//   /playback/_definst_/mp4:<gateway id>/<file>/playlist.m3u8    (a finished clip)
// Answers 404 for anything it cannot serve (no ffmpeg, no live video, clip not made yet).
#include "core/Dispatcher.h"
#include "home/Router.h"

namespace simhome {

class CloudService;
class Clock;
class MediaLibrary;

class MediaService final : public simcore::Dispatcher {
 public:
  static constexpr int kWindowSegments = 4;

  MediaService(CloudService* service, MediaLibrary* media, Clock* clock);
  simcore::HttpResponse dispatch(const simcore::HttpRequest& request) override;

  // The live playlist for a feed started at `sinceMs`, read at `nowMs` (exposed for tests).
  static QByteArray livePlaylist(qint64 sinceMs, qint64 nowMs);

 private:
  CloudService* m_service;
  MediaLibrary* m_media;
  Clock* m_clock;
};

}  // namespace simhome
