#pragma once
// Which parser reads an answer of a given MIME type. "application/json" is the JSON codec;
// an answer of any other type has no parser and fails as an unexpected response.
#include "foundation/Result.h"
#include "json/Document.h"

#include <QString>

#include <functional>
#include <map>
#include <string_view>

namespace rest {

using RestParser = std::function<foundation::Result<json::Document>(std::string_view body)>;

class RestParserRegistry {
 public:
  static RestParserRegistry& sharedRegistry();

  // Registered at start-up only: parsers are read from worker threads afterwards.
  void setParserForMIMEType(const QString& MIMEType, RestParser parser);
  // The parser for the exact type ("type/subtype", parameters ignored), or nothing.
  const RestParser* parserForMIMEType(const QString& MIMEType) const;

 private:
  RestParserRegistry();
  std::map<QString, RestParser> m_parsers;
};

}  // namespace rest
