// The one proxy of a configured proxy list that serves a target address.
#pragma once

#include "afxstr.h"

// From a list such as "http=a:1;https=b:2" (entries separated by ";" or blanks) the
// entry of the address's scheme, else an entry without a scheme (which serves all),
// else "" (no proxy).
CString ProxyForAddress(const CString& configured, const CString& url);
