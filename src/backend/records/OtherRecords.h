#pragma once
// A generic key/value pair (the camera still image arrives as such pairs) and the consumption record.
#include "rest/mapping/Object.h"

#include <memory>
#include <vector>

class VOKeyValue : public rest::Object {
  REST_OBJECT(VOKeyValue)

 public:
  rest::Text key;
  rest::Text value;
};

class VOConsumption : public rest::Object {
  REST_OBJECT(VOConsumption)

 public:
};
