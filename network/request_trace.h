// The masked trace of a transfer, written into the log in deep-log mode.
#pragma once

#include <curl/curl.h>

#include "CCorvexNetworkUtils.h"

// Sets the trace on a handle for the object's life when the log is in deep-log mode,
// and takes it off again, so the handle never points at a trace that is gone.
class ScopedRequestTrace {
 public:
  explicit ScopedRequestTrace(CURL* curl);
  ~ScopedRequestTrace();
  ScopedRequestTrace(const ScopedRequestTrace&) = delete;
  ScopedRequestTrace& operator=(const ScopedRequestTrace&) = delete;

  // What the trace callback keeps between chunks: a secret cut at a chunk end
  // continues only in the next chunk of the same kind.
  struct State {
    SecretMaskState mask;
    int infoType = -1;
  };

 private:
  CURL* m_curl = nullptr;  // null when the trace is off
  State m_state;
};
