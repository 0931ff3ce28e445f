// Not a test itself: ObjectLoaderTest runs it as a process. It loads a large answer and quits the
// event loop as soon as the answer has arrived, so the mapping ends after the loop has stopped
// (the pause gives it time to end), and then destroys the application. The process must end
// (exit status 0) instead of waiting for ever for a hand-over the loop will never run.
#include "TestRecords.h"

#include "rest/mapping/RestObjectManager.h"
#include "support/server/TestServer.h"

#include <QCoreApplication>
#include <QThread>

namespace {
struct QuittingDelegate : rest::RestObjectLoaderDelegate {
  void requestDidLoadResponse(rest::RestRequest*, rest::RestResponse*) override { QCoreApplication::quit(); }
  void objectLoaderDidLoadObjects(rest::RestObjectLoader*, const rest::ObjectList&) override {}
  void objectLoaderDidFailWithError(rest::RestObjectLoader*, const foundation::Error&) override {}
};
}  // namespace

int main(int argc, char** argv) {
  QCoreApplication app(argc, argv);
  tbtest::TestServer server;
  QByteArray big = "{\"devices\": [";
  for (int i = 0; i < 20000; ++i) big += "{\"serial\": \"" + QByteArray::number(i) + "\", \"name\": \"lamp\"},";
  big += "{}]}";
  server.script().enqueue(simcore::HttpResponse::json(200, big));
  auto* manager = rest::RestObjectManager::objectManagerWithBaseURL(server.urlString("/tavrobox/v1"));
  tbtest::TestMappings mappings;
  for (const auto& [keyPath, mapping] : mappings.provider.mappingsByKeyPath())
    manager->mappingProvider().setMappingForKeyPath(mapping, keyPath);
  QuittingDelegate delegate;
  manager->loadObjectsAtResourcePathDelegate("/device", &delegate);
  app.exec();
  QThread::msleep(1000);
  return 0;
}
