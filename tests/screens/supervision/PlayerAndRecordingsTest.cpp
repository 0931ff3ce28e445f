// The video player's end of stream and its 120 s limit, the live playlist's probe, and the
// recordings list's rows and play buttons.
#include "SupervisionTestSupport.h"

#include "backend/records/VideoRecords.h"
#include "foundation/Strings.h"
#include "screens/supervision/CustomMoviePlayerViewController.h"
#include "screens/supervision/LivePlaylistProbe.h"
#include "screens/supervision/MyRecTableViewController.h"
#include "screens/supervision/VideoPlayback.h"
#include "support/ManualClockFixture.h"
#include "support/server/RawServer.h"
#include "ui/Button.h"
#include "ui/Label.h"
#include "ui/Views.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>

namespace supervisiontest {
namespace {

using PlayerTest = SupervisionTest;

const std::vector<std::string> kFailedStream{"started", "stopped"};

TEST_F(PlayerTest, EachStreamGetsItsFull120SecondsAndTheMenuStopEndsItTheSameWay) {
  BESessionManager::getInstance().setVideoURL(QStringLiteral("http://127.0.0.1:%1/live.m3u8").arg(silent.port()));
  CustomMoviePlayerViewController player;
  Heard heard;
  heard.player(&player);
  player.startMovieBuffering();
  advance(100);
  player.startMovieBuffering();  // the next stream, 100 s later
  advance(30);
  EXPECT_TRUE(player.isStarted()) << "the first stream's stop must not end the second one";
  advance(89);
  EXPECT_TRUE(player.isStarted());
  advance(1);
  EXPECT_FALSE(player.isStarted());
  EXPECT_EQ(heard.events, (std::vector<std::string>{"started", "started", "stopped"}));

  heard.events.clear();
  player.startMovieBuffering();
  player.stopMoviePlayer();  // the video menu's stop
  EXPECT_FALSE(player.isStarted());
  EXPECT_EQ(heard.events, kFailedStream);
  ASSERT_TRUE(tbtest::waitUntil([&] { return sent("PUT", "/video/stop").size() == 2; })) << "each end closes the session";
}

TEST_F(PlayerTest, AStreamThatCannotBeLoadedEndsWithoutEverPlaying) {
  quint16 closed = 0;
  {
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    closed = probe.serverPort();
  }
  BESessionManager::getInstance().setVideoURL(QStringLiteral("http://127.0.0.1:%1/live.m3u8").arg(closed));
  CustomMoviePlayerViewController player;
  Heard heard;
  heard.player(&player);
  player.startMovieBuffering();
  ASSERT_TRUE(tbtest::waitUntil([&] { return !player.isStarted(); }, 20000));
  EXPECT_EQ(heard.events, kFailedStream);
  ASSERT_TRUE(tbtest::waitUntil([&] { return sent("PUT", "/video/stop").size() == 1; }));

  // Without its video module a player ends the same way, saying what is missing.
  qputenv("TB_VIDEO_MODULE", "/nonexistent/libtb_video.so");
  CustomMoviePlayerViewController unequipped;
  heard.player(&unequipped);
  heard.events.clear();
  unequipped.startMovieBuffering();
  EXPECT_TRUE(unequipped.isStarted()) << "the start is heard before its end";
  ASSERT_TRUE(tbtest::waitUntil([&] { return !unequipped.isStarted(); }));
  qunsetenv("TB_VIDEO_MODULE");
  EXPECT_EQ(heard.events, kFailedStream);
  EXPECT_TRUE(unequipped.errorString().contains("/nonexistent/libtb_video.so")) << unequipped.errorString().toStdString();
}

// The module is looked for only where the program's own location says (never where the build once
// put it), and an environment variable must name it absolutely.
TEST(VideoModuleTest, IsLookedForOnlyRelativeToTheProgramAndTheVariableMustBeAbsolute) {
  const QString programParent = QDir::cleanPath(QCoreApplication::applicationDirPath() + QStringLiteral("/..")) + QLatin1Char('/');
  const QStringList places = VideoPlayback::modulePlaces(nullptr);
  ASSERT_FALSE(places.isEmpty());
  for (const QString& place : places) EXPECT_TRUE(place.startsWith(programParent)) << place.toStdString();
  EXPECT_TRUE(QFileInfo::exists(places.last())) << "the build links the module beside the program";

  qputenv("TB_VIDEO_MODULE", "lib/libtb_video.so");
  QString why;
  EXPECT_EQ(VideoPlayback::create({}, &why), nullptr);
  qunsetenv("TB_VIDEO_MODULE");
  EXPECT_TRUE(why.contains(QLatin1String("absolute"))) << why.toStdString();
}

// The list alone, filled from the session store.
class RecordingsListTest : public ::testing::Test {
 protected:
  static std::shared_ptr<VOVideoRec> rec(const char* id, const char* type, const char* sensor = nullptr) {
    auto r = std::make_shared<VOVideoRec>();
    r->identifier = id;
    r->type = type;
    r->date = "08/12/2026 03:25:47";
    if (sensor) r->sensorName = sensor;
    return r;
  }
  void show(backend::RecordList<VOVideoRec> recs) {
    BESessionManager::getInstance().setRecs(std::move(recs));
    list.tableView()->resize(320, 300);
    list.refreshData();
  }
  QString line(int row, int tag) {
    return ui::viewWithTag<ui::Label>(list.tableView()->cellForRowAtIndexPath({0, row}), tag)->text();
  }
  void tapPlay(int row) {
    list.runPlayBack(ui::viewWithTag<ui::Button>(list.tableView()->cellForRowAtIndexPath({0, row}), MyRecTableViewController::kPlayButtonTag));
  }
  void TearDown() override { BESessionManager::getInstance().setRecs({}); }

  MyRecTableViewController list;
};

TEST_F(RecordingsListTest, RowsSayWhatStartedTheRecordingAndReusedRowsForgetTheSensor) {
  show({rec("1", "1", "Porte d'entrée"), rec("2", "0")});
  EXPECT_EQ(line(0, MyRecTableViewController::kFirstLineTag), foundation::localized("Recording on alert"));
  EXPECT_EQ(line(0, MyRecTableViewController::kSensorTag), foundation::localized("Recording Triggered by") + " Porte d'entrée");
  EXPECT_EQ(line(1, MyRecTableViewController::kFirstLineTag), foundation::localized("Recording on demand"));
  EXPECT_EQ(line(1, MyRecTableViewController::kDateTag), "08/12/2026 03:25:47");
  EXPECT_EQ(line(1, MyRecTableViewController::kSensorTag), "");
  show({rec("2", "0"), rec("1", "1", "Porte d'entrée")});
  EXPECT_EQ(line(0, MyRecTableViewController::kSensorTag), "");

  show({});
  ASSERT_EQ(list.tableView()->numberOfRowsInSection(0), 1);
  auto* empty = list.tableView()->cellForRowAtIndexPath({0, 0})->findChild<ui::Label*>();
  ASSERT_NE(empty, nullptr);
  EXPECT_EQ(empty->text(), foundation::localized("You do not have records."));
}

TEST_F(RecordingsListTest, APlayButtonSelectsTheFirstRecordingWithItsIdentifierAsWritten) {
  show({rec("7", "0"), rec("007", "1", "Baie"), rec("A-12", "0"), rec("A-12", "1", "Double")});
  Heard heard;
  heard.on(&list, &MyRecTableViewController::playbackChosen, "chosen");
  struct Case {
    int row;
    int selected;
  };
  for (const Case c : {Case{1, 1}, Case{0, 0}, Case{2, 2}, Case{3, 2}}) {
    heard.events.clear();
    tapPlay(c.row);
    EXPECT_EQ(list.selectedRec(), list.recs()[size_t(c.selected)]) << "row " << c.row;
    EXPECT_EQ(heard.events.size(), 1u) << "one announcement per press";
  }
  // A press the list can no longer match selects nothing (the screen then says so).
  auto* play = ui::viewWithTag<ui::Button>(list.tableView()->cellForRowAtIndexPath({0, 0}), MyRecTableViewController::kPlayButtonTag);
  play->setProperty(MyRecTableViewController::kRecordingIdentifierProperty, "gone");
  list.runPlayBack(play);
  EXPECT_EQ(list.selectedRec(), nullptr);
}

// A playlist answer that never ends: the probe stops reading it past its cap rather than holding
// it all for the 25 s, and does not take it for a playlist.
using PlaylistProbeTest = tbtest::ManualClockFixture;

TEST_F(PlaylistProbeTest, AnEndlessAnswerIsCutOffPastItsCap) {
  std::atomic<qint64> sent{0};
  std::atomic<bool> cutOff{false};
  tbtest::RawServer server([&](int socket, const std::atomic<bool>& stopping) {
    tbtest::RawServer::readHead(socket);
    QByteArray bytes = "HTTP/1.1 200 OK\r\nTransfer-Encoding: chunked\r\n\r\n9\r\n#EXTM3U\n\n\r\n";
    const QByteArray chunk = "10000\r\n" + QByteArray(0x10000, '#') + "\r\n";
    // Bounded: 1 GiB.
    while (sent < (1LL << 30)) {
      if (!tbtest::RawServer::writeAll(socket, bytes, stopping)) {
        cutOff = !stopping;
        return;
      }
      sent += bytes.size();
      bytes = chunk;
    }
  });
  LivePlaylistProbe probe;
  bool ready = false;
  probe.start(QUrl(QStringLiteral("http://127.0.0.1:%1/live.m3u8").arg(server.port())), 25.0, [&] { ready = true; });
  ASSERT_TRUE(tbtest::waitUntil([&] { return cutOff.load(); }, 10000)) << "still reading after " << sent.load() << " bytes";
  EXPECT_LT(sent.load(), 16LL << 20) << "read no further ahead than a bounded buffer";
  EXPECT_FALSE(ready);
  EXPECT_TRUE(probe.isRunning()) << "it asks again";
}

}  // namespace
}  // namespace supervisiontest
