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

// Decodes a chunked body starting at `pos`. Returns the position after the last CRLF, or
// nullopt with `needMore` set when the buffer ends too soon.
struct ChunkedOutcome {
  enum { NeedMore, Done, Bad, TooLarge } kind;
  qsizetype end = 0;
};

ChunkedOutcome decodeChunked(const QByteArray& buffer, qsizetype pos, const RequestLimits& limits, QByteArray& body) {
  while (true) {
    const qsizetype lineEnd = buffer.indexOf("\r\n", pos);
    if (lineEnd < 0) {
      return buffer.size() - pos > 1024 ? ChunkedOutcome{ChunkedOutcome::Bad} : ChunkedOutcome{ChunkedOutcome::NeedMore};
    }
    QByteArrayView sizeLine(buffer.constData() + pos, lineEnd - pos);
    if (const qsizetype semi = sizeLine.indexOf(';'); semi >= 0) sizeLine = sizeLine.first(semi);
    const auto size = parseHex(sizeLine.trimmed());
    if (!size) return {ChunkedOutcome::Bad};
    if (body.size() + *size > limits.maxBodyBytes) return {ChunkedOutcome::TooLarge};
    pos = lineEnd + 2;
    if (*size == 0) {
      // Trailer fields are read and dropped, up to the empty line.
      while (true) {
        const qsizetype end = buffer.indexOf("\r\n", pos);
        if (end < 0) return {ChunkedOutcome::NeedMore};
        if (end - pos > limits.maxHeaderBytes) return {ChunkedOutcome::Bad};
        const bool blank = end == pos;
        pos = end + 2;
        if (blank) return {ChunkedOutcome::Done, pos};
      }
    }
    if (buffer.size() - pos < *size + 2) return {ChunkedOutcome::NeedMore};
    body.append(buffer.constData() + pos, *size);
    pos += *size;
    if (buffer.at(pos) != '\r' || buffer.at(pos + 1) != '\n') return {ChunkedOutcome::Bad};
    pos += 2;
  }
}

}  // namespace

ParseResult parseRequest(const QByteArray& buffer, const RequestLimits& limits) {
  // Blank lines before a request are tolerated (some clients send a CRLF after a body).
  qsizetype start = 0;
  while (buffer.size() - start >= 2 && buffer.at(start) == '\r' && buffer.at(start + 1) == '\n') start += 2;

  const qsizetype headEnd = buffer.indexOf("\r\n\r\n", start);
  if (headEnd < 0) {
    if (buffer.size() - start > limits.maxHeaderBytes) return failure(431, "request head too large");
    return {};
  }
  if (headEnd + 4 - start > limits.maxHeaderBytes) return failure(431, "request head too large");

  const QByteArrayView head(buffer.constData() + start, headEnd - start);
  const qsizetype lineEnd = head.indexOf("\r\n");
  const QByteArrayView requestLine = lineEnd < 0 ? head : head.first(lineEnd);

  ParseResult result;
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
  std::optional<qint64> contentLength;
  bool chunked = false;
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
        if (contentLength && *contentLength != *length) return failure(400, "conflicting Content-Length");
        contentLength = length;
      } else if (equalsNoCase(name, "Transfer-Encoding")) {
        if (!equalsNoCase(value, "chunked")) return failure(501, "unsupported transfer coding");
        chunked = true;
      }
    }
  }
  if (chunked && contentLength) return failure(400, "both Content-Length and chunked coding");

  const QByteArray connection = request.header("Connection").toLower();
  if (request.version == "HTTP/1.0") result.keepAlive = connection.contains("keep-alive");
  else result.keepAlive = !connection.contains("close");

  const qsizetype bodyStart = headEnd + 4;
  if (chunked) {
    const ChunkedOutcome outcome = decodeChunked(buffer, bodyStart, limits, request.body);
    switch (outcome.kind) {
      case ChunkedOutcome::NeedMore: return {};
      case ChunkedOutcome::Bad: return failure(400, "malformed chunked body");
      case ChunkedOutcome::TooLarge: return failure(413, "request body too large");
      case ChunkedOutcome::Done: result.consumed = outcome.end; break;
    }
  } else {
    const qint64 length = contentLength.value_or(0);
    if (length > limits.maxBodyBytes) return failure(413, "request body too large");
    if (buffer.size() - bodyStart < length) return {};
    request.body = buffer.mid(bodyStart, length);
    result.consumed = bodyStart + length;
  }
  result.status = ParseResult::Status::Complete;
  return result;
}

}  // namespace simcore
