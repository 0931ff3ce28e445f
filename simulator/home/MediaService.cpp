#include "home/MediaService.h"

#include "home/CloudService.h"
#include "home/MediaLibrary.h"

#include <QRegularExpression>

namespace simhome {

using simcore::HttpRequest;
using simcore::HttpResponse;

namespace {
HttpResponse missing(const QByteArray& what) { return HttpResponse::text(404, what + '\n'); }

std::optional<patterns::PathPattern::Parameters> match(const char* pattern, const QByteArray& path) {
  static std::map<std::string, patterns::PathPattern> cache;
  auto it = cache.find(pattern);
  if (it == cache.end()) it = cache.emplace(pattern, patterns::PathPattern::parse(pattern).value()).first;
  return it->second.match(path.toStdString());
}

QString param(const patterns::PathPattern::Parameters& p, const char* name) {
  auto it = p.find(name);
  return it == p.end() ? QString() : QString::fromStdString(it->second);
}

constexpr qint64 kSegmentMs = MediaLibrary::kSegmentSeconds * 1000;
}  // namespace

MediaService::MediaService(CloudService* service, MediaLibrary* media, Clock* clock)
    : m_service(service), m_media(media), m_clock(clock) {
  // Build the pattern cache once, before the server threads use it.
  (void)match("/live/_definst_/:gateway/live.sdp/playlist.m3u8", "");
  (void)match("/live/_definst_/:gateway/live.sdp/:segment", "");
  (void)match("/playback/_definst_/mp4::gateway/:file/:name", "");
}

QByteArray MediaService::livePlaylist(qint64 sinceMs, qint64 nowMs) {
  // Segment k plays loop segment k mod L; the window ends with the segment being "recorded"
  // now. Each wrap of the loop restarts the timestamps, hence the discontinuities.
  const qint64 last = std::max<qint64>(0, nowMs - sinceMs) / kSegmentMs + kWindowSegments - 1;
  const qint64 first = last - kWindowSegments + 1;
  const qint64 loop = MediaLibrary::kLoopSegments;
  QByteArray out = "#EXTM3U\n#EXT-X-VERSION:3\n";
  out += "#EXT-X-TARGETDURATION:" + QByteArray::number(MediaLibrary::kSegmentSeconds) + '\n';
  out += "#EXT-X-MEDIA-SEQUENCE:" + QByteArray::number(first) + '\n';
  out += "#EXT-X-DISCONTINUITY-SEQUENCE:" + QByteArray::number(first / loop) + '\n';
  for (qint64 k = first; k <= last; ++k) {
    if (k != first && k % loop == 0) out += "#EXT-X-DISCONTINUITY\n";
    out += "#EXTINF:" + QByteArray::number(MediaLibrary::kSegmentSeconds) + ".000,\n";
    out += "media_" + QByteArray::number(k) + ".ts\n";
  }
  return out;
}

HttpResponse MediaService::dispatch(const HttpRequest& request) {
  if (request.method != "GET" && request.method != "HEAD") return HttpResponse::text(405, "only GET\n").withHeader("Allow", "GET, HEAD");
  if (!m_media || !m_media->available()) return missing("no media: ffmpeg is not installed on the service");
  const QByteArray& path = request.path;
  HttpResponse r;
  if (auto p = match("/live/_definst_/:gateway/live.sdp/playlist.m3u8", path)) {
    const auto feed = m_service->liveFeed(param(*p, "gateway"));
    if (!feed) return missing("no live video for this gateway: start one first");
    if (!m_media->cameraReady(feed->cameraSerial)) return missing("the live stream is being prepared");
    r = HttpResponse::text(200, livePlaylist(feed->sinceMs, m_clock->nowMs()), "application/vnd.apple.mpegurl");
    r.withHeader("Cache-Control", "no-cache");
  } else if (auto s = match("/live/_definst_/:gateway/live.sdp/:segment", path)) {
    static const QRegularExpression segment(QStringLiteral("^media_(\\d{1,12})\\.ts$"));
    const auto feed = m_service->liveFeed(param(*s, "gateway"));
    const auto m = segment.match(param(*s, "segment"));
    if (!feed || !m.hasMatch()) return missing("no such segment");
    const qint64 k = m.captured(1).toLongLong();
    const QByteArray bytes = m_media->cameraSegment(feed->cameraSerial, int(k % MediaLibrary::kLoopSegments));
    if (bytes.isEmpty()) return missing("no such segment");
    r = HttpResponse::text(200, bytes, "video/mp2t");
  } else if (auto f = match("/playback/_definst_/mp4::gateway/:file/:name", path)) {
    const QString file = param(*f, "file");
    const QString name = param(*f, "name");
    if (!m_service->hasRecordingFile(param(*f, "gateway"), file)) return missing("no such recording");
    const QByteArray bytes = m_media->recordingFile(file, name);
    if (bytes.isEmpty()) return missing("the recording is not ready");
    r = HttpResponse::text(200, bytes, name.endsWith(".m3u8") ? "application/vnd.apple.mpegurl" : "video/mp2t");
  } else {
    return missing("no media here");
  }
  if (request.method == "HEAD") r.body.clear();
  return r;
}

}  // namespace simhome
