#pragma once
// Messages a request sends to its delegate; each is optional (empty by default).
#include "foundation/Result.h"

#include <QtGlobal>

namespace rest {

class RestRequest;
class RestResponse;

class RestRequestDelegate {
 public:
  virtual ~RestRequestDelegate() = default;

  virtual void requestDidStartLoad(RestRequest* /*request*/) {}
  virtual void requestDidLoadResponse(RestRequest* /*request*/, RestResponse* /*response*/) {}
  virtual void requestDidFailLoadWithError(RestRequest* /*request*/, const foundation::Error& /*error*/) {}
  virtual void requestDidCancelLoad(RestRequest* /*request*/) {}
  virtual void requestDidTimeout(RestRequest* /*request*/) {}
  virtual void requestDidReceivedDataTotalBytesReceivedTotalBytesExectedToReceive(RestRequest* /*request*/,
                                                                                 qint64 /*bytesReceived*/,
                                                                                 qint64 /*totalBytesReceived*/,
                                                                                 qint64 /*totalBytesExpectedToReceive*/) {}
  virtual void requestDidSendBodyDataTotalBytesWrittenTotalBytesExpectedToWrite(RestRequest* /*request*/,
                                                                               qint64 /*bytesWritten*/,
                                                                               qint64 /*totalBytesWritten*/,
                                                                               qint64 /*totalBytesExpectedToWrite*/) {}
};

}  // namespace rest
