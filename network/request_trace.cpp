#include "request_trace.h"

#include <cstring>

#include "Logger.h"

namespace {

// libcurl's debug callback: every chunk (headers, bodies, TLS records), masked, one
// log line each, without its final line feed.
int TraceChunk(CURL*, curl_infotype type, char* data, size_t size, void* user) {
  if (!data || size == 0) return 0;
  ScopedRequestTrace::State& state = *static_cast<ScopedRequestTrace::State*>(user);
  if (state.infoType != static_cast<int>(type)) {
    state.mask = SecretMaskState();
    state.infoType = static_cast<int>(type);
  }
  const CString chunk(data, static_cast<int>(strnlen(data, size)));
  CString text = CCorvexNetworkUtils::MaskSecrets(chunk, &state.mask);
  if (!text.IsEmpty() && text[text.GetLength() - 1] == '\n') text = text.Left(text.GetLength() - 1);
  CString line;
  line.Format("curl_easy_perform debug: %s", text.GetString());
  Logger::getInstance()->info(LOG_SCOPE_DEBUG, "DoNetworkRequest", line);
  return 0;
}

}  // namespace

ScopedRequestTrace::ScopedRequestTrace(CURL* curl) {
  if (!Logger::getInstance()->isDeepLog()) return;
  m_curl = curl;
  curl_easy_setopt(curl, CURLOPT_DEBUGFUNCTION, TraceChunk);
  curl_easy_setopt(curl, CURLOPT_DEBUGDATA, &m_state);
  curl_easy_setopt(curl, CURLOPT_VERBOSE, 1L);
  curl_easy_setopt(curl, CURLOPT_TCP_NODELAY, 0L);
}

ScopedRequestTrace::~ScopedRequestTrace() {
  if (!m_curl) return;
  // Verbose without the callback would print the unmasked trace on standard error.
  curl_easy_setopt(m_curl, CURLOPT_VERBOSE, 0L);
  curl_easy_setopt(m_curl, CURLOPT_DEBUGFUNCTION, nullptr);
  curl_easy_setopt(m_curl, CURLOPT_DEBUGDATA, nullptr);
}
