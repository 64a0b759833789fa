// The provider's data folder: CA, server certificate and signing key, kept between starts.
#pragma once

#include <string>

namespace devidp {

// "$HOME/.halvorn/devidp".
std::string DefaultDataFolder();

// Makes the folder and its missing parents, private to the user (0700); an existing
// folder keeps its mode (the key files in it are 0600 anyway). False with a reason in
// `error` when it is not a folder the provider can read and write.
bool PrepareDataFolder(const std::string& folder, std::string& error);

}  // namespace devidp
