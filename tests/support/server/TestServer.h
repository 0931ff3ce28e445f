#pragma once
// A scripted HTTP(S) server on a free loopback port for tests, and the self-signed certificates
// its TLS mode presents.
#include "core/HttpServer.h"

#include <QString>
#include <QUrl>

namespace tbtest {

struct TestCertificate {
  QString certificatePath;  // PEM, subjectAltName IP:127.0.0.1 and DNS:localhost
  QString keyPath;
  simcore::TlsIdentity identity;
};

// Generated once per test program (in a temporary folder removed at exit).
const TestCertificate& testCertificate();
// A second, unrelated certificate for the same names.
const TestCertificate& otherTestCertificate();

class TestServer {
 public:
  enum class Mode { Plain, Tls };

  // Starts at once; a failure to listen fails the current test. In TLS mode the server presents
  // `certificate` (default: testCertificate()).
  explicit TestServer(Mode mode = Mode::Plain, const TestCertificate* certificate = nullptr);

  simcore::ScriptedDispatcher& script() { return m_script; }
  simcore::HttpServer& server() { return m_server; }
  const simcore::HttpServer& server() const { return m_server; }

  QUrl url() const { return m_server.baseUrl(); }
  // The base URL followed by `path` ("/a/b").
  QString urlString(const QString& path = QString()) const;
  QList<simcore::HttpRequest> requests() const { return m_server.recordedRequests(); }
  qsizetype requestCount() const { return m_server.recordedCount(); }

 private:
  simcore::ScriptedDispatcher m_script;
  simcore::HttpServer m_server{&m_script};
};

}  // namespace tbtest
