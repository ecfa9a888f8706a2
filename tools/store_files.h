#pragma once

#include <string>

namespace vostrel::tools {

// Writes the five store files with their fields into `folder`, and the five
// folder records into the folder store. Refuses to replace an existing store
// file unless `replace`; on refusal nothing is written and `error` says why.
bool CreateStoreFiles(const std::string& folder, bool replace, std::string& error);

struct AccountValues {
  std::string pop3_server, smtp_server, user_name, password, address;
};

// Writes the one account record of the account store in `folder`, replacing
// the record that is there.
bool WriteAccount(const std::string& folder, const AccountValues& account, std::string& error);

// The folder names the store tool writes, in folder order.
const char* const* FolderNames();

}  // namespace vostrel::tools
