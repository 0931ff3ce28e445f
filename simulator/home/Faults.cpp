#include "home/Faults.h"

#include <QJsonArray>

namespace simhome {

bool FailRule::matches(const QString& m, const QString& path) const {
  if (!method.isEmpty() && method.compare(m, Qt::CaseInsensitive) != 0) return false;
  if (pathPattern == "*") return true;
  return pattern && pattern->match(path.toStdString()).has_value();
}

QJsonObject FailRule::toJson() const {
  static const char* answers[] = {"status", "effect", "not-json", "truncated"};
  QJsonObject o{{"path", pathPattern}, {"remaining", remaining}, {"answer", answers[int(answer)]}};
  if (!method.isEmpty()) o["method"] = method;
  if (answer == Answer::Status) o["status"] = status;
  return o;
}

std::optional<simcore::SocketEffect> socketEffectNamed(const QString& name, int ms) {
  using simcore::SocketEffect;
  if (name == "close-before-answer") return SocketEffect::closeBeforeAnswer();
  if (name == "close-mid-body") return SocketEffect::closeMidBody();
  if (name == "stall") return SocketEffect::stall();
  if (name == "delay") return SocketEffect::delay(ms > 0 ? ms : 1000);
  if (name == "throttle") return SocketEffect::throttle(16, ms > 0 ? ms : 100);
  if (name == "wrong-length") return SocketEffect::contentLengthLongerBy(10);
  return std::nullopt;
}

std::optional<FailRule> failRuleFromJson(const QJsonObject& json, QString* error) {
  auto fail = [&](const QString& what) {
    if (error) *error = what;
    return std::nullopt;
  };
  FailRule rule;
  rule.pathPattern = json.value("path").toString();
  if (rule.pathPattern.isEmpty()) return fail(QStringLiteral("'path' is required (a path pattern such as \"/device\", or \"*\")"));
  if (rule.pathPattern != "*") {
    auto parsed = patterns::PathPattern::parse(rule.pathPattern.toStdString());
    if (!parsed) return fail(QStringLiteral("'path': %1").arg(QString::fromStdString(parsed.error().message)));
    rule.pattern = parsed.value();
  }
  rule.method = json.value("method").toString().toUpper();
  const QJsonValue count = json.value("count");
  rule.remaining = count.isUndefined() ? 1 : count.toInt(-1);
  if (rule.remaining < 1 || rule.remaining > 1000000) return fail(QStringLiteral("'count' must be a whole number from 1"));
  const QString answer = json.value("answer").toString();
  if (json.contains("effect")) {
    const auto effect = socketEffectNamed(json.value("effect").toString(), json.value("ms").toInt(0));
    if (!effect)
      return fail(QStringLiteral("'effect' is one of close-before-answer, close-mid-body, stall, delay, throttle, wrong-length"));
    rule.answer = FailRule::Answer::Effect;
    rule.effect = *effect;
  } else if (answer == "not-json") {
    rule.answer = FailRule::Answer::NotJson;
  } else if (answer == "truncated") {
    rule.answer = FailRule::Answer::Truncated;
  } else if (answer.isEmpty() || answer == "status") {
    rule.answer = FailRule::Answer::Status;
    rule.status = json.value("status").toInt(500);
    if (rule.status < 100 || rule.status > 999) return fail(QStringLiteral("'status' must be between 100 and 999"));
    rule.body = json.value("body").toString().toUtf8();
  } else {
    return fail(QStringLiteral("'answer' is one of status, not-json, truncated"));
  }
  return rule;
}

std::optional<FailRule> Faults::take(const QString& method, const QString& path) {
  for (auto it = rules.begin(); it != rules.end(); ++it) {
    if (!it->matches(method, path)) continue;
    FailRule taken = *it;
    if (--it->remaining <= 0) rules.erase(it);
    return taken;
  }
  return std::nullopt;
}

void Faults::clear() {
  gatewayOffline = privacyMode = gatewayCodesAsJson = false;
  latencyMs = 0;
  rules.clear();
}

QJsonObject Faults::toJson() const {
  QJsonArray list;
  for (const FailRule& r : rules) list.append(r.toJson());
  return QJsonObject{{"gatewayOffline", gatewayOffline},
                     {"privacyMode", privacyMode},
                     {"gatewayCodesAsJson", gatewayCodesAsJson},
                     {"latencyMs", latencyMs},
                     {"rules", list}};
}

}  // namespace simhome
