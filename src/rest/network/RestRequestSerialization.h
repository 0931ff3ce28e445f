#pragma once
// A request body as bytes with their MIME type: the body provider the application uses.
#include "rest/network/RestRequestParams.h"

#include <memory>

namespace rest {

class RestRequestSerialization : public RestRequestParams {
 public:
  // Null data or an empty MIME type is a programming error and stops the process.
  RestRequestSerialization(QByteArray data, QString MIMEType);
  static std::shared_ptr<RestRequestSerialization> serializationWithDataMIMEType(QByteArray data, QString MIMEType);

  const QByteArray& data() const { return m_data; }
  const QString& MIMEType() const { return m_MIMEType; }

  QByteArray HTTPBody() const override { return m_data; }
  QString HTTPHeaderValueForContentType() const override { return m_MIMEType; }
  std::optional<qint64> HTTPHeaderValueForContentLength() const override { return m_data.size(); }

 private:
  QByteArray m_data;
  QString m_MIMEType;
};

}  // namespace rest
