#pragma once
// Recordings, their files, and the live and playback video servers.
#include "rest/mapping/Object.h"

#include <memory>
#include <vector>

class VOVideoRecFile : public rest::Object {
  REST_OBJECT(VOVideoRecFile)

 public:
  rest::Text date;
  rest::Text duration;
  rest::Text identifier;
  rest::Text name;
};

class VOVideoRec : public rest::Object {
  REST_OBJECT(VOVideoRec)

 public:
  rest::Text identifier;
  rest::Text date;
  rest::Text sensorName;
  rest::Text sensorType;
  rest::Text type;
  std::vector<std::shared_ptr<VOVideoRecFile>> files;
};

class VOVideoPlayback : public rest::Object {
  REST_OBJECT(VOVideoPlayback)

 public:
  rest::Text server;
  rest::Text session;
};

class VOVideoServeur : public rest::Object {
  REST_OBJECT(VOVideoServeur)

 public:
  rest::Text h263;
  rest::Text h264;
  rest::Text server;
  rest::Text serverPort;
};
