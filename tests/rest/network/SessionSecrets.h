#pragma once
// The service's session parameter, as the application names it to the REST layer (the
// application's own rule is tested with the back end): the network tests install this stand-in.
#include "rest/support/LoggableURL.h"

#include <QRegularExpression>

namespace tbtest {

inline QList<rest::SecretSpan> sessionSecrets(QStringView text) {
  static const QRegularExpression parameter(QStringLiteral(";jsessionid=([^/;?#&\\s\"'<>)\\]]*)"),
                                            QRegularExpression::CaseInsensitiveOption);
  QList<rest::SecretSpan> spans;
  for (auto it = parameter.globalMatch(text.toString()); it.hasNext();) {
    const auto match = it.next();
    spans.append({match.capturedStart(), match.capturedStart(1), match.capturedEnd()});
  }
  return spans;
}

}  // namespace tbtest
