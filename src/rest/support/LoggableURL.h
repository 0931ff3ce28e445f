#pragma once
// A URL may carry a secret that whoever holds it can use (the service's session identifier, which
// signs its holder in). Which part is secret is the application's knowledge, not this layer's: it
// hands in a finder at set-up (setSecretFinder), and the layer applies it wherever a URL leaves
// its hands:
// - loggableURL() / maskSecrets() replace every secret value by "<hidden>" in a URL or in any text
//   that quotes one (the transport's own error strings do), for log lines and error texts;
// - URLWithoutSecrets() leaves the secret parts out, for what must identify a resource whichever
//   session asked for it (cache keys and the URL an entry was stored for);
// - secretValues() names the values themselves, so that nothing repeating one is stored.
// Without a finder nothing counts as secret.
#include <QList>
#include <QString>
#include <QStringList>
#include <QStringView>
#include <QUrl>

#include <functional>

namespace rest {

// One secret in a text: [start, valueStart) names it, [valueStart, end) is its value.
struct SecretSpan {
  qsizetype start = 0;
  qsizetype valueStart = 0;
  qsizetype end = 0;
};
// The secrets of a text, in order and not overlapping.
using SecretFinder = std::function<QList<SecretSpan>(QStringView text)>;

// Process-wide, like the TLS settings; safe to call from any thread.
void setSecretFinder(SecretFinder finder);

QString maskSecrets(const QString& text);
QString loggableURL(const QUrl& url);
QString loggableURL(const QString& encodedURL);
QString URLWithoutSecrets(const QString& encodedURL);
QStringList secretValues(const QString& text);

}  // namespace rest
