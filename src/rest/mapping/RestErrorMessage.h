#pragma once
// One message of the "error" / "errors" member of a failed answer.
#include "rest/mapping/Object.h"

namespace rest {

class RestErrorMessage : public Object {
  REST_OBJECT(RestErrorMessage)

 public:
  Text errorMessage;
  std::string description() const override { return errorMessage.value_or(std::string()); }
};

}  // namespace rest
