// The accounts that may sign in: two built in, more from a JSON file.
#pragma once

#include <string>
#include <vector>

namespace devidp {

struct User {
  std::string name;
  std::string password;
  // The user's "custom_attributes" as JSON text, copied into identity tokens as it is;
  // empty when the user has none.
  std::string customAttributesJson;
};

class UserDirectory {
 public:
  // The demo user (named on the login page) and a member of the maker's staff, whose
  // federated id starts "KORU".
  UserDirectory();

  // Adds the users of a file holding a JSON array of {"name", "password",
  // "custom_attributes"?}; a user of the same name replaces the earlier one. False with
  // a reason in `error` when the file is unreadable or not of that shape.
  bool AddFromFile(const std::string& path, std::string& error);

  // Null when no user has that name and password.
  const User* SignIn(const std::string& name, const std::string& password) const;
  const User* Find(const std::string& name) const;
  const User& Demo() const { return m_users.front(); }

 private:
  void Add(User user);
  std::vector<User> m_users;
};

}  // namespace devidp
