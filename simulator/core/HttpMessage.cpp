#include "core/HttpMessage.h"

#include <QtCore/qbytearrayalgorithms.h>

namespace simcore {

namespace {
bool sameName(QByteArrayView a, QByteArrayView b) {
  return qstrnicmp(a.data(), a.size(), b.data(), b.size()) == 0;
}
}  // namespace

QByteArray findHeader(const HeaderList& headers, QByteArrayView name) {
  for (const auto& [key, value] : headers)
    if (sameName(key, name)) return value;
  return QByteArray("");
}

QByteArray HttpRequest::header(QByteArrayView name) const { return findHeader(headers, name); }

bool HttpRequest::hasHeader(QByteArrayView name) const {
  for (const auto& entry : headers)
    if (sameName(entry.first, name)) return true;
  return false;
}

bool SocketEffect::isPlain() const {
  return delayBeforeHeadersMs <= 0 && !stallForever && !holdUntilReleased && throttleBytes <= 0 &&
         !closeBeforeAnswering && !closeAfterHalfBody && extraContentLength <= 0;
}

SocketEffect SocketEffect::delay(int ms) {
  SocketEffect e;
  e.delayBeforeHeadersMs = ms;
  return e;
}
SocketEffect SocketEffect::stall() {
  SocketEffect e;
  e.stallForever = true;
  return e;
}
SocketEffect SocketEffect::hold() {
  SocketEffect e;
  e.holdUntilReleased = true;
  return e;
}
SocketEffect SocketEffect::throttle(int bytes, int periodMs) {
  SocketEffect e;
  e.throttleBytes = bytes;
  e.throttlePeriodMs = periodMs;
  return e;
}
SocketEffect SocketEffect::closeBeforeAnswer() {
  SocketEffect e;
  e.closeBeforeAnswering = true;
  return e;
}
SocketEffect SocketEffect::closeMidBody() {
  SocketEffect e;
  e.closeAfterHalfBody = true;
  return e;
}
SocketEffect SocketEffect::contentLengthLongerBy(qint64 extra) {
  SocketEffect e;
  e.extraContentLength = extra;
  return e;
}

HttpResponse HttpResponse::json(int status, QByteArray body) {
  HttpResponse r;
  r.status = status;
  r.headers.emplaceBack("Content-Type", "application/json");
  r.body = std::move(body);
  return r;
}

HttpResponse HttpResponse::text(int status, QByteArray body, QByteArray contentType) {
  HttpResponse r;
  r.status = status;
  if (!contentType.isEmpty()) r.headers.emplaceBack("Content-Type", std::move(contentType));
  r.body = std::move(body);
  return r;
}

HttpResponse& HttpResponse::withHeader(QByteArray name, QByteArray value) {
  headers.emplaceBack(std::move(name), std::move(value));
  return *this;
}

HttpResponse& HttpResponse::withEffect(const SocketEffect& e) {
  effect = e;
  return *this;
}

QByteArray HttpResponse::header(QByteArrayView name) const { return findHeader(headers, name); }

QByteArray reasonPhrase(int status) {
  switch (status) {
    case 100: return "Continue";
    case 200: return "OK";
    case 201: return "Created";
    case 202: return "Accepted";
    case 204: return "No Content";
    case 206: return "Partial Content";
    case 301: return "Moved Permanently";
    case 302: return "Found";
    case 303: return "See Other";
    case 304: return "Not Modified";
    case 307: return "Temporary Redirect";
    case 400: return "Bad Request";
    case 401: return "Unauthorized";
    case 403: return "Forbidden";
    case 404: return "Not Found";
    case 405: return "Method Not Allowed";
    case 409: return "Conflict";
    case 410: return "Gone";
    case 411: return "Length Required";
    case 413: return "Content Too Large";
    case 422: return "Unprocessable Entity";
    case 431: return "Request Header Fields Too Large";
    case 500: return "Internal Server Error";
    case 501: return "Not Implemented";
    case 503: return "Service Unavailable";
    case 505: return "HTTP Version Not Supported";
    default: return "Status";
  }
}

}  // namespace simcore
