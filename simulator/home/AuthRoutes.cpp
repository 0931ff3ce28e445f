// Sign-in: POST /auth with the login, the SHA-1 of the password and the kind of client.
#include "home/CloudService.h"
#include "home/HomeJson.h"

#include <QRegularExpression>

namespace simhome {

void addAuthRoutes(Router& router) {
  router.add("POST", "/auth", GatewayNeed::None, [](RequestContext& ctx) {
    QString why;
    const auto body = ctx.jsonBody(&why);
    if (!body) return CloudService::error(badRequest(why));
    for (const char* key : {"login", "password", "ihm"})
      if (!body->value(key).isString())
        return CloudService::error(badRequest(QStringLiteral("'%1' is required and must be a string").arg(key)));
    const QString login = body->value("login").toString();
    const QString digest = body->value("password").toString();
    static const QRegularExpression hex40(QStringLiteral("^[0-9a-fA-F]{40}$"));
    if (!hex40.match(digest).hasMatch())
      return CloudService::error(badRequest(QStringLiteral("'password' must be the 40-digit SHA-1 of the password")));
    const User* user = ctx.service.users().authenticate(login, digest);
    if (!user) return CloudService::error(Failure{401, QStringLiteral("wrong login or password")});
    HomeState* state = ctx.service.homeFor(user->homeFile);
    Session& session = ctx.service.sessions().open(user->login, user->homeFile, ctx.nowMs);

    QJsonObject account = user->account;
    static const char* userMembers[] = {"ref", "mail", "phone", "subId", "creation", "language",
                                        "firstConnection", "connectionStep"};
    for (const char* key : userMembers)
      if (!account.contains(key)) account[key] = QString();
    account["lastConnection"] = formatDate(ctx.nowMs, state->home.timeZoneId);
    account["connectionStep"] = account.value("connectionStep").toString().isEmpty() ? QStringLiteral("3")
                                                                                      : account.value("connectionStep").toString();
    return CloudService::json(200, QJsonObject{{"sessionId", session.id}, {"user", account}, {"gateway", state->home.gateway}});
  }, /*needsSession=*/false);
}

}  // namespace simhome
