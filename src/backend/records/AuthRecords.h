#pragma once
// The sign-in answer and the account it names: the session identifier, the user and the gateway.
#include "rest/mapping/Object.h"

#include <memory>
#include <vector>

class VOUser : public rest::Object {
  REST_OBJECT(VOUser)

 public:
  rest::Text identifier;
  rest::Text ref;
  rest::Text login;
  rest::Text mail;
  rest::Text phone;
  rest::Text subId;
  rest::Text creation;
  rest::Text language;
  rest::Text firstConnection;
  rest::Text lastConnection;
  rest::Text connectionStep;
};

class VOGateway : public rest::Object {
  REST_OBJECT(VOGateway)

 public:
  rest::Text identifier;
  rest::Text serial;
  rest::Text status;
  rest::Text led;
  rest::Text ref;
  rest::Text type;
  rest::Text ip;
  rest::Text connection;
  rest::Text initDate;
  rest::Text activationDate;
  rest::Text manufacDate;
  rest::Text imei;
  rest::Text model;
  rest::Text firmware;
  rest::Text version;
  rest::Text macWifi;
  rest::Text macEthernet;
  rest::Text updateDate;
  rest::Text muteMode;
  rest::Text timezone;
};

class VOAuth : public rest::Object {
  REST_OBJECT(VOAuth)

 public:
  rest::Text sessionId;
  std::shared_ptr<VOUser> user;
  std::shared_ptr<VOGateway> gateway;
};
