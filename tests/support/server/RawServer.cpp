#include "support/server/RawServer.h"

#include <gtest/gtest.h>

#include <arpa/inet.h>
#include <fcntl.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>

namespace tbtest {

namespace {
// Waits for the socket to be ready for `events`, a tenth of a second at most.
bool ready(int socket, short events) {
  pollfd entry{socket, events, 0};
  return ::poll(&entry, 1, 100) > 0;
}
}  // namespace

RawServer::RawServer(Serve serve) : m_serve(std::move(serve)) {
  m_listener = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  address.sin_port = 0;
  socklen_t length = sizeof address;
  if (m_listener < 0 || ::bind(m_listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 ||
      ::listen(m_listener, 16) != 0 || ::getsockname(m_listener, reinterpret_cast<sockaddr*>(&address), &length) != 0) {
    ADD_FAILURE() << "the raw test server cannot listen on loopback";
    return;
  }
  m_port = ntohs(address.sin_port);
  m_thread = std::thread([this] { run(); });
}

RawServer::~RawServer() {
  m_stopping = true;
  if (m_thread.joinable()) m_thread.join();
  if (m_listener >= 0) ::close(m_listener);
}

void RawServer::run() {
  while (!m_stopping) {
    if (!ready(m_listener, POLLIN)) continue;
    const int socket = ::accept4(m_listener, nullptr, nullptr, SOCK_CLOEXEC | SOCK_NONBLOCK);
    if (socket < 0) continue;
    ++m_served;
    m_serve(socket, m_stopping);
    ::close(socket);
  }
}

QByteArray RawServer::readHead(int socket) {
  QByteArray head;
  char buffer[4096];
  for (int idle = 0; idle < 50 && !head.contains("\r\n\r\n");) {
    if (!ready(socket, POLLIN)) {
      ++idle;
      continue;
    }
    const ssize_t n = ::recv(socket, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    head.append(buffer, n);
  }
  return head;
}

bool RawServer::writeAll(int socket, const QByteArray& bytes, const std::atomic<bool>& stopping) {
  qsizetype written = 0;
  while (written < bytes.size()) {
    if (stopping) return false;
    if (!ready(socket, POLLOUT)) continue;
    const ssize_t n = ::send(socket, bytes.constData() + written, bytes.size() - written, MSG_NOSIGNAL);
    if (n < 0 && (errno == EAGAIN || errno == EINTR)) continue;
    if (n <= 0) return false;
    written += n;
  }
  return true;
}

}  // namespace tbtest
