// The JSON holder of CCorvexOAuth2Globals: parse one document, move values out of it.
#include <algorithm>

#include "CCorvexOAuth2Globals.h"

namespace {

// A member of `object` (which must be an object) with exactly these bytes as its name.
rapidjson::Value* FindMember(rapidjson::Value& object, const CString& name) {
  const rapidjson::SizeType length = static_cast<rapidjson::SizeType>(name.GetLength());
  for (auto member = object.MemberBegin(); member != object.MemberEnd(); ++member) {
    const rapidjson::Value& memberName = member->name;
    if (memberName.GetStringLength() == length &&
        std::equal(name.GetString(), name.GetString() + length, memberName.GetString()))
      return &member->value;
  }
  return nullptr;
}

// Token answers carry strings and integers; a number with a fraction does not count.
bool Counts(const rapidjson::Value& value) {
  if (value.IsString()) return value.GetStringLength() > 0;
  if (value.IsUint64()) return value.GetUint64() != 0;
  if (value.IsInt64()) return value.GetInt64() != 0;
  if (value.IsObject()) return value.MemberCount() > 0;
  if (value.IsArray()) return value.Size() > 0;
  return false;
}

}  // namespace

CCorvexOAuth2Globals::CCorvexOAuth2Globals() = default;
CCorvexOAuth2Globals::~CCorvexOAuth2Globals() = default;
CCorvexOAuth2Globals::CCorvexOAuth2Globals(CCorvexOAuth2Globals&& other) noexcept
    : m_document(std::move(other.m_document)) {}
CCorvexOAuth2Globals& CCorvexOAuth2Globals::operator=(CCorvexOAuth2Globals&& other) noexcept {
  m_document = std::move(other.m_document);
  return *this;
}

int CCorvexOAuth2Globals::parseData(const char* text) {
  // A failed parse would keep the previous root: start from an empty document.
  rapidjson::Document().Swap(m_document);
  if (!text) return 0;
  // Iterative: an answer nested arbitrarily deep must not exhaust the stack.
  m_document.Parse<rapidjson::kParseIterativeFlag>(text);
  return m_document.HasParseError() ? 0 : 1;
}

int CCorvexOAuth2Globals::getValueByKey(CString key, CString parent, rapidjson::Value& value) {
  if (key.IsEmpty()) return 0;
  value.SetNull();
  if (!m_document.IsObject()) return 0;
  rapidjson::Value* found = nullptr;
  if (parent.IsEmpty()) {
    found = FindMember(m_document, key);
  } else {
    rapidjson::Value* object = FindMember(m_document, parent);
    if (object && object->IsObject()) found = FindMember(*object, key);
  }
  if (found) value = *found;  // moves: the member becomes null
  return Counts(value) ? 1 : 0;
}
