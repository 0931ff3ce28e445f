#include "backend/records/AuthRecords.h"

const rest::ObjectClass& VOUser::staticClass() {
  static const rest::ObjectClass cls("VOUser", &rest::Object::staticClass(), &rest::makeObject<VOUser>, {
      rest::field<&VOUser::identifier>("identifier"),
      rest::field<&VOUser::ref>("ref"),
      rest::field<&VOUser::login>("login"),
      rest::field<&VOUser::mail>("mail"),
      rest::field<&VOUser::phone>("phone"),
      rest::field<&VOUser::subId>("subId"),
      rest::field<&VOUser::creation>("creation"),
      rest::field<&VOUser::language>("language"),
      rest::field<&VOUser::firstConnection>("firstConnection"),
      rest::field<&VOUser::lastConnection>("lastConnection"),
      rest::field<&VOUser::connectionStep>("connectionStep"),
  });
  return cls;
}

const rest::ObjectClass& VOGateway::staticClass() {
  static const rest::ObjectClass cls("VOGateway", &rest::Object::staticClass(), &rest::makeObject<VOGateway>, {
      rest::field<&VOGateway::identifier>("identifier"),
      rest::field<&VOGateway::serial>("serial"),
      rest::field<&VOGateway::status>("status"),
      rest::field<&VOGateway::led>("led"),
      rest::field<&VOGateway::ref>("ref"),
      rest::field<&VOGateway::type>("type"),
      rest::field<&VOGateway::ip>("ip"),
      rest::field<&VOGateway::connection>("connection"),
      rest::field<&VOGateway::initDate>("initDate"),
      rest::field<&VOGateway::activationDate>("activationDate"),
      rest::field<&VOGateway::manufacDate>("manufacDate"),
      rest::field<&VOGateway::imei>("imei"),
      rest::field<&VOGateway::model>("model"),
      rest::field<&VOGateway::firmware>("firmware"),
      rest::field<&VOGateway::version>("version"),
      rest::field<&VOGateway::macWifi>("macWifi"),
      rest::field<&VOGateway::macEthernet>("macEthernet"),
      rest::field<&VOGateway::updateDate>("updateDate"),
      rest::field<&VOGateway::muteMode>("muteMode"),
      rest::field<&VOGateway::timezone>("timezone"),
  });
  return cls;
}

const rest::ObjectClass& VOAuth::staticClass() {
  static const rest::ObjectClass cls("VOAuth", &rest::Object::staticClass(), &rest::makeObject<VOAuth>, {
      rest::field<&VOAuth::sessionId>("sessionId"),
      rest::field<&VOAuth::user>("user"),
      rest::field<&VOAuth::gateway>("gateway"),
  });
  return cls;
}
