#pragma once
// Incremental HTTP/1.1 request parsing over a connection's receive buffer. Bytes may arrive in
// any split; several requests may sit in one buffer (pipelining). Anything the server cannot
// frame safely is refused with the status to answer before closing.
#include "core/HttpMessage.h"

namespace simcore {

struct RequestLimits {
  qsizetype maxHeaderBytes = 64 * 1024;       // request line + headers + blank line
  qsizetype maxHeaderCount = 100;
  qsizetype maxBodyBytes = 64 * 1024 * 1024;  // declared or de-chunked
};

struct ParseResult {
  enum class Status { NeedMore, Complete, Error };
  Status status = Status::NeedMore;
  HttpRequest request;      // when Complete
  qsizetype consumed = 0;   // bytes of the buffer the request took, when Complete
  bool keepAlive = true;    // whether the connection may carry another request, when Complete
  int errorStatus = 0;      // status to answer with, when Error
  QByteArray errorMessage;  // short reason, when Error
};

// Parses the request at the start of `buffer` (which is not modified).
ParseResult parseRequest(const QByteArray& buffer, const RequestLimits& limits = {});

}  // namespace simcore
