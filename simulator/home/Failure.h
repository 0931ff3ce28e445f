#pragma once
// Why the service refused a request: the HTTP status to answer with and a message for the body.
#include <QString>

namespace simhome {

struct Failure {
  int status = 400;
  QString message;
};

inline Failure badRequest(QString message) { return Failure{400, std::move(message)}; }
inline Failure notFound(QString message) { return Failure{404, std::move(message)}; }

}  // namespace simhome
