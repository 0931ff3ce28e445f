#pragma once
// What a request body provider gives: the bytes to send and, optionally, the content headers.
#include <QByteArray>
#include <QString>

#include <optional>

namespace rest {

class RestRequestParams {
 public:
  virtual ~RestRequestParams() = default;
  virtual QByteArray HTTPBody() const = 0;
  // "" when the provider names no content type.
  virtual QString HTTPHeaderValueForContentType() const { return {}; }
  // nullopt when the provider names no length (the body's size is sent then).
  virtual std::optional<qint64> HTTPHeaderValueForContentLength() const { return std::nullopt; }
};

}  // namespace rest
