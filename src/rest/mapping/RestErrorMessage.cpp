#include "rest/mapping/RestErrorMessage.h"

namespace rest {

const ObjectClass& RestErrorMessage::staticClass() {
  static const ObjectClass cls("RestErrorMessage", &Object::staticClass(), &makeObject<RestErrorMessage>,
                               {field<&RestErrorMessage::errorMessage>("errorMessage")});
  return cls;
}

}  // namespace rest
