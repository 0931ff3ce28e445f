// The simulated service's request parser, fed by a hostile client. The input's first byte picks
// the size of the pieces the rest arrives in; the parser must give, piece by piece, exactly what
// it gives for the whole input at once (status, refusal, request, body, bytes consumed), look at
// no more than a few times the input, and never hold more than its limits allow.
#include "core/RequestParser.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>

namespace {
void check(bool condition, const char* what) {
  if (condition) return;
  std::fprintf(stderr, "request parser: %s\n", what);
  std::abort();
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::size_t piece = 1 + data[0] % 64;
  const QByteArray input(reinterpret_cast<const char*>(data + 1), qsizetype(size - 1));
  simcore::RequestLimits limits;
  limits.maxHeaderBytes = 512;
  limits.maxHeaderCount = 8;
  limits.maxBodyBytes = 256;
  limits.maxChunkLineBytes = 32;
  limits.maxWireBytes = 1024;

  const simcore::ParseResult whole = simcore::parseRequest(input, limits);
  simcore::RequestParser parser(limits);
  QByteArray buffer;
  simcore::ParseResult last;
  for (qsizetype at = 0; at < input.size(); at += qsizetype(piece)) {
    buffer += input.mid(at, qsizetype(piece));
    last = parser.parse(buffer);
    if (last.status != simcore::ParseResult::Status::NeedMore) break;
  }
  if (input.isEmpty()) last = parser.parse(buffer);
  check(last.status == whole.status, "status differs between pieces and whole");
  if (whole.status == simcore::ParseResult::Status::Error) check(last.errorStatus == whole.errorStatus, "refusal differs");
  if (whole.status == simcore::ParseResult::Status::Complete) {
    check(last.consumed == whole.consumed && last.consumed <= input.size(), "consumed differs");
    check(last.request.body == whole.request.body, "body differs");
    check(last.request.path == whole.request.path && last.request.method == whole.request.method, "request differs");
    check(last.request.body.size() <= limits.maxBodyBytes, "body beyond its limit");
    check(last.request.headers.size() <= limits.maxHeaderCount, "header fields beyond their limit");
    check(last.consumed <= limits.maxWireBytes + limits.maxHeaderBytes + 64, "request beyond the wire limit");
  }
  check(parser.bytesExamined() <= 3 * qint64(input.size()) + 16, "looked at the input more than a few times");
  return 0;
}
