// How the login page's client tells the redirect, the maker's pages and other sites apart.
#pragma once

#include <string>

// true when `address` cut to the length of `prefix` equals it (case-sensitive); an
// address shorter than the prefix never starts with it.
bool StartsWithAddress(const std::string& address, const std::string& prefix);

// true when the address's host (schemes removed, cut before the first "/"; empty without
// one) holds none of the two home domain labels and the login host prefix (`authUri`,
// schemes removed, cut before its first "-"; empty without one, and an empty text is in
// every host).
bool IsExternalLink(const std::string& address, const std::string& authUri, const std::string& homeLabel,
                    const std::string& shortHomeLabel);
