#include "users.h"

#include <openssl/crypto.h>

#include <fstream>
#include <rapidjson/document.h>
#include <rapidjson/stringbuffer.h>
#include <rapidjson/writer.h>
#include <sstream>

namespace devidp {
namespace {

std::string JsonText(const rapidjson::Value& value) {
  rapidjson::StringBuffer buffer;
  rapidjson::Writer<rapidjson::StringBuffer> writer(buffer);
  value.Accept(writer);
  return buffer.GetString();
}

bool ReadUser(const rapidjson::Value& entry, User& user) {
  if (!entry.IsObject() || !entry.HasMember("name") || !entry["name"].IsString() ||
      !entry.HasMember("password") || !entry["password"].IsString()) {
    return false;
  }
  user.name = entry["name"].GetString();
  user.password = entry["password"].GetString();
  const auto attributes = entry.FindMember("custom_attributes");
  user.customAttributesJson = attributes == entry.MemberEnd() ? "" : JsonText(attributes->value);
  return !user.name.empty();
}

}  // namespace

UserDirectory::UserDirectory() {
  Add({"demo", "demo", R"({"federatedId":"F0012345","companyName":"Demo Electric"})"});
  Add({"koru.staff", "koru", R"({"federatedId":"KORU0042","companyName":"Halvorn"})"});
}

void UserDirectory::Add(User user) {
  for (User& existing : m_users) {
    if (existing.name == user.name) {
      existing = std::move(user);
      return;
    }
  }
  m_users.push_back(std::move(user));
}

bool UserDirectory::AddFromFile(const std::string& path, std::string& error) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  rapidjson::Document document;
  if (!in || document.Parse(content.str().c_str()).HasParseError() || !document.IsArray()) {
    error = "the users file " + path + " is not readable as a JSON array";
    return false;
  }
  for (const rapidjson::Value& entry : document.GetArray()) {
    User user;
    if (!ReadUser(entry, user)) {
      error = "the users file " + path + " holds an entry without a name or password";
      return false;
    }
    Add(std::move(user));
  }
  return true;
}

const User* UserDirectory::Find(const std::string& name) const {
  for (const User& user : m_users) {
    if (user.name == name) return &user;
  }
  return nullptr;
}

const User* UserDirectory::SignIn(const std::string& name, const std::string& password) const {
  const User* user = Find(name);
  const bool matches = user && user->password.size() == password.size() &&
                       CRYPTO_memcmp(user->password.data(), password.data(), password.size()) == 0;
  return matches ? user : nullptr;
}

}  // namespace devidp
