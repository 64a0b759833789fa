// The credential store behind the credential prompt: per target name one entry, user name
// and password, kept in the user's hive under kCredentialStoreKey as a data-protection blob
// (the value is named by the target; the target is the blob's entropy, so an entry copied
// to another name does not open).
#pragma once

#include <string>

namespace platform {

constexpr char kCredentialStoreKey[] = "Software\\Halvorn\\Platform\\Credentials";

struct StoredCredential {
  std::string user, password;
  ~StoredCredential();  // wipes both
};

// False when the target has no entry or its entry cannot be opened (damaged, another user's).
bool ReadStoredCredential(const std::string& target, StoredCredential& credential);
bool StoreCredential(const std::string& target, const StoredCredential& credential);

}  // namespace platform
