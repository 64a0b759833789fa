// One request of a page, as the resource-request handler sees it before it is sent.
#pragma once

#include <map>

#include "cef_base.h"
#include "cef_string.h"

class CefRequest : public virtual CefBaseRefCounted {
 public:
  typedef std::multimap<CefString, CefString> HeaderMap;

  virtual CefString GetURL() = 0;
  virtual CefString GetMethod() = 0;
  // The engine does not show the headers it will send: the map starts empty.
  virtual void GetHeaderMap(HeaderMap& headers) = 0;
  // Each entry given back replaces the request's header of that name.
  virtual void SetHeaderMap(const HeaderMap& headers) = 0;
};
