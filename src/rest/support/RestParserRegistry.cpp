#include "rest/support/RestParserRegistry.h"

#include "json/RestJSONParser.h"

namespace rest {

RestParserRegistry& RestParserRegistry::sharedRegistry() {
  static RestParserRegistry registry;
  return registry;
}

RestParserRegistry::RestParserRegistry() {
  setParserForMIMEType(QString::fromLatin1(RestJSONParser::kMIMEType),
                       [](std::string_view body) { return RestJSONParser().objectFromStringError(body); });
}

void RestParserRegistry::setParserForMIMEType(const QString& MIMEType, RestParser parser) {
  m_parsers[MIMEType.toLower()] = std::move(parser);
}

const RestParser* RestParserRegistry::parserForMIMEType(const QString& MIMEType) const {
  const QString type = MIMEType.section(';', 0, 0).trimmed().toLower();
  auto it = m_parsers.find(type);
  return it == m_parsers.end() ? nullptr : &it->second;
}

}  // namespace rest
