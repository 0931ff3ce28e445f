#pragma once
// Events of the history and the alerts each one caused.
#include "rest/mapping/Object.h"

#include <memory>
#include <vector>

class VOHistoryAlert : public rest::Object {
  REST_OBJECT(VOHistoryAlert)

 public:
  rest::Text type;
  rest::Text dest;
  rest::Text ack;
};

class VOHistory : public rest::Object {
  REST_OBJECT(VOHistory)

 public:
  rest::Text name;
  rest::Text type;
  rest::Text state;
  rest::Text date;
  rest::Text origin;
  rest::Text reason;
  rest::Text alert;
  rest::Text trigger_name;
  rest::Text category;
  rest::Text subcategory;
  std::vector<std::shared_ptr<VOHistoryAlert>> media;
};
