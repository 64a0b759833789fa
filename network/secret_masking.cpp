// MaskSecrets: hides credentials, codes and tokens in trace text. A value is replaced
// by "***" up to its end: the line end for a header, the next separator for a form or
// query field, the closing quote for a JSON string. Over a stream of chunks the state
// keeps a value cut at a chunk end masked in the next chunk, and the end of the
// previous chunk is scanned again so that a field name cut in two is still found.
#include <algorithm>
#include <cctype>
#include <cstring>

#include "CCorvexNetworkUtils.h"

namespace {

enum ValueEnd { kNoValue = 0, kLineEnd = 1, kFieldEnd = 2, kJsonQuote = 3 };

const char* const kSecretHeaders[] = {"proxy-authorization:", "authorization:"};
const char* const kSecretFields[] = {"code",         "code_verifier", "password", "client_secret",
                                     "access_token", "refresh_token", "id_token"};
const char kFieldSeparators[] = "&\"' \t\r\n#;,<>";
const size_t kTailLength = 64;

bool IsNameChar(char ch) { return std::isalnum(static_cast<unsigned char>(ch)) || ch == '_' || ch == '-'; }

bool MatchesAt(const std::string& text, size_t at, const char* name) {
  const size_t length = std::strlen(name);
  if (text.size() - at < length) return false;
  for (size_t i = 0; i < length; ++i)
    if (std::tolower(static_cast<unsigned char>(text[at + i])) != name[i]) return false;
  return true;
}

size_t SkipBlanks(const std::string& text, size_t at) {
  while (at < text.size() && (text[at] == ' ' || text[at] == '\t')) ++at;
  return at;
}

// The kind of secret value whose name starts at `at`, and where the value begins.
ValueEnd SecretAt(const std::string& text, size_t at, size_t& valueStart) {
  if (at > 0 && IsNameChar(text[at - 1])) return kNoValue;
  for (const char* header : kSecretHeaders)
    if (MatchesAt(text, at, header)) {
      valueStart = SkipBlanks(text, at + std::strlen(header));
      return kLineEnd;
    }
  for (const char* field : kSecretFields) {
    if (!MatchesAt(text, at, field)) continue;
    size_t next = at + std::strlen(field);
    if (next < text.size() && text[next] == '=') {
      valueStart = next + 1;
      return kFieldEnd;
    }
    if (at == 0 || text[at - 1] != '"' || next >= text.size() || text[next] != '"') continue;
    next = SkipBlanks(text, next + 1);
    if (next >= text.size() || text[next] != ':') continue;
    next = SkipBlanks(text, next + 1);
    if (next >= text.size() || text[next] != '"') continue;
    valueStart = next + 1;
    return kJsonQuote;
  }
  return kNoValue;
}

// Where a value of the given kind that starts at `at` ends: the position of its
// terminator, or text.size() when the text ends first.
size_t ValueEndFrom(const std::string& text, size_t at, ValueEnd kind, bool& escaped) {
  for (; at < text.size(); ++at) {
    const char ch = text[at];
    if (kind == kLineEnd && (ch == '\r' || ch == '\n')) return at;
    if (kind == kFieldEnd && std::strchr(kFieldSeparators, ch)) return at;
    if (kind == kJsonQuote) {
      if (ch == '"' && !escaped) return at;
      escaped = !escaped && ch == '\\';
    }
  }
  return at;
}

// Masks `text` from `at` on, appending only what lies at or after `outputStart`.
// Returns the kind of value left open at the end.
ValueEnd MaskFrom(const std::string& text, size_t at, size_t outputStart, bool& escaped, std::string& out) {
  auto emit = [&](size_t from, size_t to) {
    from = std::max(from, outputStart);
    if (from < to) out.append(text, from, to - from);
  };
  while (at < text.size()) {
    size_t valueStart = 0;
    const ValueEnd kind = SecretAt(text, at, valueStart);
    if (kind == kNoValue) {
      emit(at, at + 1);
      ++at;
      continue;
    }
    emit(at, valueStart);
    escaped = false;
    const size_t end = ValueEndFrom(text, valueStart, kind, escaped);
    if (end > valueStart && end > outputStart) out += "***";
    if (end == text.size()) return kind;
    at = end;
  }
  return kNoValue;
}

}  // namespace

CString CCorvexNetworkUtils::MaskSecrets(const CString& text, SecretMaskState* state) {
  SecretMaskState none;
  SecretMaskState& s = state ? *state : none;
  std::string out;
  std::string scanned = text.str();
  size_t at = 0;
  size_t outputStart = 0;
  if (s.openValue != kNoValue) {
    at = ValueEndFrom(scanned, 0, static_cast<ValueEnd>(s.openValue), s.escaped);
    if (at > 0) out += "***";
    if (at == scanned.size()) return CString(out);
  } else {
    scanned.insert(0, s.tail);
    outputStart = s.tail.size();
  }
  s.openValue = MaskFrom(scanned, at, outputStart, s.escaped, out);
  const size_t keep = s.openValue == kNoValue ? std::min(kTailLength, scanned.size()) : 0;
  s.tail = scanned.substr(scanned.size() - keep);
  return CString(out);
}
