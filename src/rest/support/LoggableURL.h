#pragma once
// The session identifier travels in the path (";jsessionid=<id>") and whoever holds it is signed
// in. It never reaches a log line, an error text or the response cache:
// - loggableURL() / maskSessionIdentifiers() replace its value by "<hidden>" in a URL or in any
//   text that quotes one (the transport's own error strings do);
// - URLWithoutSession() leaves the parameter out, for what must identify a resource whichever
//   session asked for it (cache keys and the URL an entry was stored for).
#include <QString>
#include <QUrl>

namespace rest {

QString maskSessionIdentifiers(const QString& text);
QString loggableURL(const QUrl& url);
QString loggableURL(const QString& encodedURL);
QString URLWithoutSession(const QString& encodedURL);

}  // namespace rest
