#include "core/RequestParser.h"

#include <QtCore/qbytearrayalgorithms.h>

#include <optional>

namespace simcore {

namespace {

ParseResult failure(int status, QByteArray message) {
  ParseResult r;
  r.status = ParseResult::Status::Error;
  r.errorStatus = status;
  r.errorMessage = std::move(message);
  return r;
}

bool isTokenChar(char c) {
  if (c >= 'a' && c <= 'z') return true;
  if (c >= 'A' && c <= 'Z') return true;
  if (c >= '0' && c <= '9') return true;
  return QByteArrayView("!#$%&'*+-.^_`|~").contains(c);
}

bool isToken(QByteArrayView text) {
  if (text.isEmpty()) return false;
  for (char c : text)
    if (!isTokenChar(c)) return false;
  return true;
}

bool equalsNoCase(QByteArrayView a, QByteArrayView b) {
  return qstrnicmp(a.data(), a.size(), b.data(), b.size()) == 0;
}

// Decimal without sign or spaces, refusing values that would overflow.
std::optional<qint64> parseLength(QByteArrayView text) {
  if (text.isEmpty() || text.size() > 18) return std::nullopt;
  qint64 value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return std::nullopt;
    value = value * 10 + (c - '0');
  }
  return value;
}

std::optional<qint64> parseHex(QByteArrayView text) {
  if (text.isEmpty() || text.size() > 15) return std::nullopt;
  qint64 value = 0;
  for (char c : text) {
    int digit;
    if (c >= '0' && c <= '9') digit = c - '0';
    else if (c >= 'a' && c <= 'f') digit = c - 'a' + 10;
    else if (c >= 'A' && c <= 'F') digit = c - 'A' + 10;
    else return std::nullopt;
    value = value * 16 + digit;
  }
  return value;
}

// The request line and header fields of `head` (without its blank line) into `result`; a
// refusal comes back as an Error result.
std::optional<ParseResult> parseHead(QByteArrayView head, const RequestLimits& limits, ParseResult& result, RequestFraming& framing) {
  const qsizetype lineEnd = head.indexOf("\r\n");
  const QByteArrayView requestLine = lineEnd < 0 ? head : head.first(lineEnd);

  HttpRequest& request = result.request;
  {
    const qsizetype sp1 = requestLine.indexOf(' ');
    const qsizetype sp2 = sp1 < 0 ? -1 : requestLine.indexOf(' ', sp1 + 1);
    if (sp1 <= 0 || sp2 <= sp1 + 1 || requestLine.indexOf(' ', sp2 + 1) >= 0)
      return failure(400, "malformed request line");
    request.method = requestLine.first(sp1).toByteArray();
    request.target = requestLine.sliced(sp1 + 1, sp2 - sp1 - 1).toByteArray();
    request.version = requestLine.sliced(sp2 + 1).toByteArray();
  }
  if (!isToken(request.method)) return failure(400, "malformed method");
  if (request.version != "HTTP/1.1" && request.version != "HTTP/1.0") {
    if (request.version.startsWith("HTTP/")) return failure(505, "unsupported HTTP version");
    return failure(400, "malformed HTTP version");
  }
  for (char c : request.target)
    if (static_cast<unsigned char>(c) <= 0x20 || c == 0x7f) return failure(400, "malformed request target");

  // Absolute form ("http://host/path") is reduced to the origin form.
  QByteArray origin = request.target;
  if (origin.startsWith("http://") || origin.startsWith("https://")) {
    const qsizetype authority = origin.indexOf("//") + 2;
    const qsizetype slash = origin.indexOf('/', authority);
    origin = slash < 0 ? QByteArray("/") : origin.mid(slash);
  }
  if (!origin.startsWith('/') && origin != "*") return failure(400, "malformed request target");
  if (const qsizetype q = origin.indexOf('?'); q >= 0) {
    request.path = origin.left(q);
    request.query = origin.mid(q + 1);
  } else {
    request.path = origin;
  }

  // Header fields.
  if (lineEnd >= 0) {
    qsizetype pos = lineEnd + 2;
    while (pos <= head.size()) {
      qsizetype next = head.indexOf("\r\n", pos);
      if (next < 0) next = head.size();
      const QByteArrayView line = head.sliced(pos, next - pos);
      pos = next + 2;
      if (line.isEmpty()) continue;
      if (line.front() == ' ' || line.front() == '\t') return failure(400, "folded header line");
      const qsizetype colon = line.indexOf(':');
      if (colon <= 0) return failure(400, "malformed header line");
      const QByteArrayView name = line.first(colon);
      if (!isToken(name)) return failure(400, "malformed header name");
      const QByteArrayView value = line.sliced(colon + 1).trimmed();
      for (char c : value)
        if (c == '\0' || c == '\r' || c == '\n') return failure(400, "malformed header value");
      if (request.headers.size() >= limits.maxHeaderCount) return failure(431, "too many header fields");
      request.headers.emplaceBack(name.toByteArray(), value.toByteArray());

      if (equalsNoCase(name, "Content-Length")) {
        const auto length = parseLength(value);
        if (!length) return failure(400, "malformed Content-Length");
        if (framing.contentLength && *framing.contentLength != *length) return failure(400, "conflicting Content-Length");
        framing.contentLength = length;
      } else if (equalsNoCase(name, "Transfer-Encoding")) {
        if (!equalsNoCase(value, "chunked")) return failure(501, "unsupported transfer coding");
        framing.chunked = true;
      }
    }
  }
  if (framing.chunked && framing.contentLength) return failure(400, "both Content-Length and chunked coding");

  const QByteArray connection = request.header("Connection").toLower();
  if (request.version == "HTTP/1.0") result.keepAlive = connection.contains("keep-alive");
  else result.keepAlive = !connection.contains("close");

  return std::nullopt;
}

}  // namespace

RequestParser::RequestParser(RequestLimits limits) : m_limits(limits) {}

void RequestParser::reset() {
  const qint64 examined = m_examined;
  *this = RequestParser(m_limits);
  m_examined = examined;
}

ParseResult RequestParser::refuse(int status, QByteArray message) {
  m_phase = Phase::Refused;
  return failure(status, std::move(message));
}

ParseResult RequestParser::parse(const QByteArray& buffer) {
  if (m_phase == Phase::Refused) return failure(400, "request refused earlier");
  if (m_phase == Phase::Head) {
    // Blank lines before a request are tolerated (some clients send a CRLF after a body), but
    // they count as part of the head: the buffer holds them until the request line comes, so an
    // endless run of them would otherwise grow it without limit.
    while (buffer.size() - m_start >= 2 && buffer.at(m_start) == '\r' && buffer.at(m_start + 1) == '\n') m_start += 2;
    m_scanFrom = std::max(m_scanFrom, m_start);
    // Only what arrived since the last call is searched (with three bytes of overlap).
    const qsizetype headEnd = buffer.indexOf("\r\n\r\n", m_scanFrom);
    m_examined += (headEnd < 0 ? buffer.size() : headEnd + 4) - m_scanFrom;
    if (headEnd < 0) {
      if (buffer.size() > m_limits.maxHeaderBytes) return refuse(431, "request head too large");
      m_scanFrom = std::max(m_start, buffer.size() - 3);
      return {};
    }
    if (headEnd + 4 > m_limits.maxHeaderBytes) return refuse(431, "request head too large");
    if (auto refused = parseHead(QByteArrayView(buffer.constData() + m_start, headEnd - m_start), m_limits, m_result,
                                 m_framing)) {
      m_phase = Phase::Refused;
      return *refused;
    }
    m_bodyStart = headEnd + 4;
    m_pos = m_bodyStart;
    if (!m_framing.chunked && m_framing.contentLength.value_or(0) > m_limits.maxBodyBytes)
      return refuse(413, "request body too large");
    m_phase = m_framing.chunked ? Phase::ChunkSize : Phase::Body;
  }
  if (m_phase == Phase::Body) {
    const qint64 length = m_framing.contentLength.value_or(0);
    if (buffer.size() - m_bodyStart < length) return {};
    m_examined += length;
    m_result.request.body = buffer.mid(m_bodyStart, length);
    return complete(m_bodyStart + length);
  }
  return parseChunked(buffer);
}

ParseResult RequestParser::complete(qsizetype end) {
  m_phase = Phase::Done;
  ParseResult result = std::move(m_result);
  result.status = ParseResult::Status::Complete;
  result.consumed = end;
  return result;
}

// Resumes decoding a chunked body at m_pos: chunks already decoded are never looked at again.
ParseResult RequestParser::parseChunked(const QByteArray& buffer) {
  QByteArray& body = m_result.request.body;
  while (true) {
    // Everything a request makes the server hold is bounded, framing included: a body of a
    // million one-byte chunks with extensions is refused like a body too large.
    if (m_pos - m_start > m_limits.maxWireBytes) return refuse(413, "request too large");
    if (m_phase == Phase::ChunkData) {
      if (buffer.size() - m_pos < m_chunkSize + 2) return {};
      m_examined += m_chunkSize + 2;
      body.append(buffer.constData() + m_pos, m_chunkSize);
      m_pos += m_chunkSize;
      if (buffer.at(m_pos) != '\r' || buffer.at(m_pos + 1) != '\n') return refuse(400, "malformed chunked body");
      m_pos += 2;
      m_phase = Phase::ChunkSize;
      continue;
    }
    const qsizetype lineEnd = buffer.indexOf("\r\n", m_pos);
    const qsizetype lineLimit = m_phase == Phase::ChunkSize ? m_limits.maxChunkLineBytes : m_limits.maxHeaderBytes;
    if (lineEnd < 0) {
      m_examined += buffer.size() - m_pos;
      if (buffer.size() - m_pos > lineLimit) return refuse(m_phase == Phase::ChunkSize ? 400 : 431, "chunk line too long");
      return {};
    }
    m_examined += lineEnd + 2 - m_pos;
    if (lineEnd - m_pos > lineLimit) return refuse(m_phase == Phase::ChunkSize ? 400 : 431, "chunk line too long");
    if (m_phase == Phase::Trailers) {
      // Trailer fields are read and dropped, up to the empty line; they count as header fields.
      const bool blank = lineEnd == m_pos;
      m_trailerBytes += lineEnd + 2 - m_pos;
      m_pos = lineEnd + 2;
      if (blank) return complete(m_pos);
      if (++m_trailerCount > m_limits.maxHeaderCount || m_trailerBytes > m_limits.maxHeaderBytes)
        return refuse(431, "too many trailer fields");
      continue;
    }
    QByteArrayView sizeLine(buffer.constData() + m_pos, lineEnd - m_pos);
    if (const qsizetype semi = sizeLine.indexOf(';'); semi >= 0) sizeLine = sizeLine.first(semi);
    const auto size = parseHex(sizeLine.trimmed());
    if (!size) return refuse(400, "malformed chunked body");
    if (body.size() + *size > m_limits.maxBodyBytes) return refuse(413, "request body too large");
    m_pos = lineEnd + 2;
    if (*size == 0) {
      m_phase = Phase::Trailers;
      continue;
    }
    m_chunkSize = *size;
    m_phase = Phase::ChunkData;
  }
}

ParseResult parseRequest(const QByteArray& buffer, const RequestLimits& limits) {
  RequestParser parser(limits);
  return parser.parse(buffer);
}

}  // namespace simcore
