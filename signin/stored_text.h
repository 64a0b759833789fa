// How a value of a token answer or of the identity token's claims is stored.
#pragma once

#include "CCorvexOAuth2Globals.h"

// A string as it is, an integer as its exact decimal, anything else (a string holding
// a zero byte too) as an empty text.
CString StoredText(const rapidjson::Value& value);

// Looks `key` up (inside the root member `parent` unless it is empty). true when found,
// with its StoredText.
bool FindStoredText(CCorvexOAuth2Globals& document, const char* key, const char* parent, CString& text);
