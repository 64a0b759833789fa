#include "proxy_entry.h"

namespace {

CString SchemeOf(const CString& url) {
  const int colon = url.Find("://");
  CString scheme = colon > 0 ? url.Left(colon) : CString("http");
  return scheme.MakeLower();
}

}  // namespace

CString ProxyForAddress(const CString& configured, const CString& url) {
  const CString scheme = SchemeOf(url);
  CString forAll;
  int position = 0;
  for (CString entry = configured.Tokenize("; \t", position); position >= 0;
       entry = configured.Tokenize("; \t", position)) {
    const int equal = entry.Find('=');
    if (equal < 0) {
      if (forAll.IsEmpty()) forAll = entry;
    } else if (entry.Left(equal).CompareNoCase(scheme) == 0) {
      return entry.Mid(equal + 1);
    }
  }
  return forAll;
}
