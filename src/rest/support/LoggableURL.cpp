#include "rest/support/LoggableURL.h"

#include <QMutex>

#include <memory>

namespace rest {

namespace {

QMutex g_mutex;
std::shared_ptr<const SecretFinder> g_finder;

QList<SecretSpan> secretsOf(QStringView text) {
  std::shared_ptr<const SecretFinder> finder;
  {
    QMutexLocker lock(&g_mutex);
    finder = g_finder;
  }
  return finder && *finder ? (*finder)(text) : QList<SecretSpan>();
}

// `text` with each secret span rewritten by `replace(out, name, value)`.
template <class Replace>
QString rewrite(const QString& text, Replace replace) {
  const QList<SecretSpan> spans = secretsOf(text);
  if (spans.isEmpty()) return text;
  QString out;
  out.reserve(text.size());
  qsizetype copied = 0;
  const QStringView view(text);
  for (const SecretSpan& span : spans) {
    out += view.mid(copied, span.start - copied);
    replace(out, view.mid(span.start, span.valueStart - span.start), view.mid(span.valueStart, span.end - span.valueStart));
    copied = span.end;
  }
  out += view.mid(copied);
  return out;
}

}  // namespace

void setSecretFinder(SecretFinder finder) {
  auto made = finder ? std::make_shared<const SecretFinder>(std::move(finder)) : nullptr;
  QMutexLocker lock(&g_mutex);
  g_finder = std::move(made);
}

QString maskSecrets(const QString& text) {
  return rewrite(text, [](QString& out, QStringView name, QStringView value) {
    out += name;
    if (!value.isEmpty()) out += QLatin1String("<hidden>");
  });
}

QString loggableURL(const QUrl& url) { return maskSecrets(QString::fromUtf8(url.toEncoded())); }

QString loggableURL(const QString& encodedURL) { return maskSecrets(encodedURL); }

QString URLWithoutSecrets(const QString& encodedURL) {
  return rewrite(encodedURL, [](QString&, QStringView, QStringView) {});
}

QStringList secretValues(const QString& text) {
  QStringList values;
  for (const SecretSpan& span : secretsOf(text))
    if (span.end > span.valueStart) values << text.mid(span.valueStart, span.end - span.valueStart);
  return values;
}

}  // namespace rest
