#include "backend/Reply.h"

namespace backend {

void Reply::finish(bool unchanged) {
  if (isDone()) return;
  m_state = State::Finished;
  m_unchanged = unchanged;
  emit finished();
}

void Reply::fail(int status) {
  if (isDone()) return;
  m_state = State::Failed;
  m_status = status;
  emit failed(status);
}

std::shared_ptr<Reply> Reply::failedNow(int status) {
  auto reply = std::make_shared<Reply>();
  reply->fail(status);
  return reply;
}

}  // namespace backend
