#include "rest/network/RestRequestSerialization.h"

#include <QtGlobal>

namespace rest {

RestRequestSerialization::RestRequestSerialization(QByteArray data, QString MIMEType)
    : m_data(std::move(data)), m_MIMEType(std::move(MIMEType)) {
  if (m_data.isNull()) qFatal("Cannot create a request serialization without Data");
  if (m_MIMEType.isEmpty()) qFatal("Cannot create a request serialization without a MIME Type");
}

std::shared_ptr<RestRequestSerialization> RestRequestSerialization::serializationWithDataMIMEType(QByteArray data,
                                                                                                   QString MIMEType) {
  return std::make_shared<RestRequestSerialization>(std::move(data), std::move(MIMEType));
}

}  // namespace rest
