#pragma once
// Incremental HTTP/1.1 request parsing over a connection's receive buffer. Bytes may arrive in
// any split; several requests may sit in one buffer (pipelining). Anything the server cannot
// frame safely is refused with the status to answer before closing. What a request can make the
// server hold is bounded: head, header fields, body, chunk lines (extensions), trailer fields and
// the request's bytes on the wire in all.
#include "core/HttpMessage.h"

#include <optional>

namespace simcore {

struct RequestLimits {
  qsizetype maxHeaderBytes = 64 * 1024;       // blank lines before, request line, headers, blank line; trailers too
  qsizetype maxHeaderCount = 100;             // header fields; trailer fields too
  qsizetype maxBodyBytes = 64 * 1024 * 1024;  // declared or de-chunked
  qsizetype maxChunkLineBytes = 1024;         // a chunk's size line with its extensions
  qsizetype maxWireBytes = 80 * 1024 * 1024;  // one request as sent, framing included

  // What a connection may hold the server to (the server core applies them).
  int maxConnections = 512;           // further connections are closed at once
  int idleTimeoutMs = 60 * 1000;      // no request under way and nothing received
  int headTimeoutMs = 30 * 1000;      // a TLS handshake, or a request head, still incomplete
  // Requests taken but not yet answered plus answers the client has not read: beyond it the
  // connection starts no answer and reads nothing more until the client catches up.
  qint64 maxConnectionBytes = 4 * 1024 * 1024;
  // Request bytes all connections hold together (received, not yet answered): a request that
  // would go beyond is answered 503 and its connection closed.
  qint64 maxBufferedBytes = 256 * 1024 * 1024;
  // The record of requests received: beyond either figure the oldest are forgotten.
  qsizetype maxRecordedRequests = 10000;
  qint64 maxRecordedBytes = 64 * 1024 * 1024;
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

struct RequestFraming {
  std::optional<qint64> contentLength;
  bool chunked = false;
};

// Parses one request at the start of a buffer that grows between calls: each call resumes where
// the previous one stopped, so a request that arrives in many small pieces costs time in
// proportion to its size. After a Complete result, remove the consumed bytes from the buffer and
// call reset() before the next request; after an Error, the parser refuses everything.
class RequestParser {
 public:
  explicit RequestParser(RequestLimits limits = {});
  ParseResult parse(const QByteArray& buffer);
  void reset();
  // Whether the request's head is still incomplete.
  bool inHead() const { return m_phase == Phase::Head; }
  // Bytes of input looked at so far (over every request): grows with the input, not with the
  // number of calls.
  qint64 bytesExamined() const { return m_examined; }

 private:
  enum class Phase { Head, Body, ChunkSize, ChunkData, Trailers, Done, Refused };
  ParseResult refuse(int status, QByteArray message);
  ParseResult complete(qsizetype end);
  ParseResult parseChunked(const QByteArray& buffer);

  RequestLimits m_limits;
  Phase m_phase = Phase::Head;
  qsizetype m_start = 0;     // the request's first byte (after blank lines)
  qsizetype m_scanFrom = 0;  // where the search for the end of the head resumes
  ParseResult m_result;      // the head, once parsed
  RequestFraming m_framing;
  qsizetype m_bodyStart = 0;
  qsizetype m_pos = 0;  // the next chunk line or chunk data
  qint64 m_chunkSize = 0;
  int m_trailerCount = 0;
  qsizetype m_trailerBytes = 0;
  qint64 m_examined = 0;
};

// Parses the request at the start of `buffer` (which is not modified) in one go.
ParseResult parseRequest(const QByteArray& buffer, const RequestLimits& limits = {});

}  // namespace simcore
