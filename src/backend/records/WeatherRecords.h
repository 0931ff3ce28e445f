#pragma once
// The weather station's figures for one period. Each field is the snake_case form of its JSON member,
// except info_date, which comes from "date".
#include "rest/mapping/Object.h"

#include <memory>
#include <vector>

class VOWeather : public rest::Object {
  REST_OBJECT(VOWeather)

 public:
  rest::Text temp_in_average;
  rest::Text temp_out_average;
  rest::Text humidity_in_average;
  rest::Text humidity_out_average;
  rest::Text pressure_average;
  rest::Text wind_average;
  rest::Text info_date;
  rest::Text temp_in_current;
  rest::Text temp_in_trend;
  rest::Text temp_in_min;
  rest::Text temp_in_min_date;
  rest::Text temp_in_max;
  rest::Text temp_in_max_date;
  rest::Text temp_out_current;
  rest::Text temp_out_trend;
  rest::Text temp_out_min;
  rest::Text temp_out_min_date;
  rest::Text temp_out_max;
  rest::Text temp_out_max_date;
  rest::Text humidity_in_current;
  rest::Text humidity_in_trend;
  rest::Text humidity_in_min;
  rest::Text humidity_in_min_date;
  rest::Text humidity_in_max;
  rest::Text humidity_in_max_date;
  rest::Text humidity_out_current;
  rest::Text humidity_out_trend;
  rest::Text humidity_out_min;
  rest::Text humidity_out_min_date;
  rest::Text humidity_out_max;
  rest::Text humidity_out_max_date;
  rest::Text pressure_current;
  rest::Text pressure_trend;
  rest::Text pressure_min;
  rest::Text pressure_min_date;
  rest::Text pressure_max;
  rest::Text pressure_max_date;
  rest::Text wind_current;
  rest::Text wind_trend;
  rest::Text wind_direction;
  rest::Text wind_max;
  rest::Text wind_max_date;
  rest::Text rain_last_hour;
  rest::Text rain_trend;
  rest::Text rain_total;
};
