#pragma once
// Troubles the service can be told to have, for demos and tests: the gateway off line (600),
// in privacy mode (620), out of recording credit (615, kept in the home), the next N requests of
// a path failing with a status, a socket effect, an answer that is not JSON or JSON cut short,
// and latency added to every answer.
#include "core/HttpMessage.h"
#include "patterns/PathPattern.h"

#include <QByteArray>
#include <QJsonObject>
#include <QString>

#include <optional>
#include <vector>

namespace simhome {

struct FailRule {
  enum class Answer { Status, Effect, NotJson, Truncated };
  QString pathPattern;  // "*" or a pattern of the path after the base, without the session part
  QString method;       // "" : any method
  int remaining = 1;
  Answer answer = Answer::Status;
  int status = 500;
  simcore::SocketEffect effect;
  QByteArray body;  // body of a Status answer ("" : a JSON error)
  std::optional<patterns::PathPattern> pattern;

  bool matches(const QString& method, const QString& path) const;
  QJsonObject toJson() const;
};

// Reads a rule from the control interface's JSON; errors name the member at fault.
std::optional<FailRule> failRuleFromJson(const QJsonObject& json, QString* error);

// Names of the socket effects the control interface accepts ("close-before-answer", ...).
std::optional<simcore::SocketEffect> socketEffectNamed(const QString& name, int ms);

struct Faults {
  bool gatewayOffline = false;
  bool privacyMode = false;
  bool gatewayCodesAsJson = false;  // send 600/615/620 with a JSON body instead of plain text
  int latencyMs = 0;
  std::vector<FailRule> rules;

  // The first rule that applies to the request, with one use taken from it (spent rules go).
  std::optional<FailRule> take(const QString& method, const QString& path);
  void clear();
  QJsonObject toJson() const;
};

}  // namespace simhome
