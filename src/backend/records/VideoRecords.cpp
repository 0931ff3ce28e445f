#include "backend/records/VideoRecords.h"

const rest::ObjectClass& VOVideoRecFile::staticClass() {
  static const rest::ObjectClass cls("VOVideoRecFile", &rest::Object::staticClass(), &rest::makeObject<VOVideoRecFile>, {
      rest::field<&VOVideoRecFile::date>("date"),
      rest::field<&VOVideoRecFile::duration>("duration"),
      rest::field<&VOVideoRecFile::identifier>("identifier"),
      rest::field<&VOVideoRecFile::name>("name"),
  });
  return cls;
}

const rest::ObjectClass& VOVideoRec::staticClass() {
  static const rest::ObjectClass cls("VOVideoRec", &rest::Object::staticClass(), &rest::makeObject<VOVideoRec>, {
      rest::field<&VOVideoRec::identifier>("identifier"),
      rest::field<&VOVideoRec::date>("date"),
      rest::field<&VOVideoRec::sensorName>("sensorName"),
      rest::field<&VOVideoRec::sensorType>("sensorType"),
      rest::field<&VOVideoRec::type>("type"),
      rest::field<&VOVideoRec::files>("files"),
  });
  return cls;
}

const rest::ObjectClass& VOVideoPlayback::staticClass() {
  static const rest::ObjectClass cls("VOVideoPlayback", &rest::Object::staticClass(), &rest::makeObject<VOVideoPlayback>, {
      rest::field<&VOVideoPlayback::server>("server"),
      rest::field<&VOVideoPlayback::session>("session"),
  });
  return cls;
}

const rest::ObjectClass& VOVideoServeur::staticClass() {
  static const rest::ObjectClass cls("VOVideoServeur", &rest::Object::staticClass(), &rest::makeObject<VOVideoServeur>, {
      rest::field<&VOVideoServeur::h263>("h263"),
      rest::field<&VOVideoServeur::h264>("h264"),
      rest::field<&VOVideoServeur::server>("server"),
      rest::field<&VOVideoServeur::serverPort>("serverPort"),
  });
  return cls;
}
