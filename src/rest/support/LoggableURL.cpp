#include "rest/support/LoggableURL.h"

namespace rest {

namespace {

constexpr QStringView kParameter = u";jsessionid=";

// Where the value that starts at `from` ends: the next path, parameter, query or fragment
// delimiter, or anything that cannot be part of a URL in running text.
qsizetype valueEnd(const QString& text, qsizetype from) {
  qsizetype end = from;
  while (end < text.size()) {
    const QChar c = text.at(end);
    if (c == u'/' || c == u';' || c == u'?' || c == u'#' || c == u'&' || c.isSpace() || c == u'"' || c == u'\'' ||
        c == u'<' || c == u'>' || c == u')' || c == u']')
      break;
    ++end;
  }
  return end;
}

// Rewrites every ";jsessionid=<value>" of `text` with `replace(value start, value end)`.
template <class Replace>
QString rewrite(const QString& text, Replace replace) {
  qsizetype at = text.indexOf(kParameter, 0, Qt::CaseInsensitive);
  if (at < 0) return text;
  QString out;
  out.reserve(text.size());
  qsizetype copied = 0;
  while (at >= 0) {
    const qsizetype valueStart = at + kParameter.size();
    const qsizetype end = valueEnd(text, valueStart);
    out += QStringView(text).mid(copied, at - copied);
    replace(out, QStringView(text).mid(at, kParameter.size()), valueStart == end);
    copied = end;
    at = text.indexOf(kParameter, end, Qt::CaseInsensitive);
  }
  out += QStringView(text).mid(copied);
  return out;
}

}  // namespace

QString maskSessionIdentifiers(const QString& text) {
  return rewrite(text, [](QString& out, QStringView parameter, bool emptyValue) {
    out += parameter;
    if (!emptyValue) out += QLatin1String("<hidden>");
  });
}

QString loggableURL(const QUrl& url) { return maskSessionIdentifiers(QString::fromUtf8(url.toEncoded())); }

QString loggableURL(const QString& encodedURL) { return maskSessionIdentifiers(encodedURL); }

QString URLWithoutSession(const QString& encodedURL) {
  return rewrite(encodedURL, [](QString&, QStringView, bool) {});
}

}  // namespace rest
