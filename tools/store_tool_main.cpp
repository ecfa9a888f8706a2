// vostrel-store: creates the five store files, prints a store, writes the account.
#include <cstring>
#include <iostream>
#include <string>
#include <vector>

#include "tools/store_dump.h"
#include "tools/store_files.h"

namespace {

int Usage() {
  std::cerr << "usage:\n"
               "  vostrel-store create DIR [--force]\n"
               "  vostrel-store dump FILE [--json]\n"
               "  vostrel-store account DIR --pop3 HOST[:PORT] --smtp HOST[:PORT] --user NAME --password PASS "
               "--address ADDR\n";
  return 2;
}

int Fail(const std::string& error) {
  std::cerr << "vostrel-store: " << error << "\n";
  return 1;
}

int Account(const std::string& folder, const std::vector<std::string>& options) {
  vostrel::tools::AccountValues account;
  const std::pair<const char*, std::string*> names[] = {{"--pop3", &account.pop3_server},
                                                        {"--smtp", &account.smtp_server},
                                                        {"--user", &account.user_name},
                                                        {"--password", &account.password},
                                                        {"--address", &account.address}};
  for (size_t i = 0; i < options.size(); i += 2) {
    std::string* target = nullptr;
    for (const auto& [name, value] : names)
      if (options[i] == name) target = value;
    if (!target || i + 1 >= options.size()) return Usage();
    *target = options[i + 1];
  }
  std::string error;
  return vostrel::tools::WriteAccount(folder, account, error) ? 0 : Fail(error);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 3) return Usage();
  const std::string command = argv[1];
  const std::string target = argv[2];
  const std::vector<std::string> options(argv + 3, argv + argc);
  const bool flag = options.size() == 1 && (options[0] == "--force" || options[0] == "--json");
  if (command == "create" && (options.empty() || (flag && options[0] == "--force"))) {
    std::string error;
    return vostrel::tools::CreateStoreFiles(target, flag, error) ? 0 : Fail(error);
  }
  if (command == "dump" && (options.empty() || (flag && options[0] == "--json")))
    return vostrel::tools::DumpStore(target, flag, std::cout) ? 0 : Fail(target + " is not a store file");
  if (command == "account") return Account(target, options);
  return Usage();
}
