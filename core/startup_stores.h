#pragma once

namespace vostrel::core {

class Program;

// Opens the mail, seen and attachment stores, each reported once when it fails.
void OpenMainStores(Program& program);

enum class AccountStoreState { kMissing, kUnopened, kEmpty, kHasAccount };

// Opens the account store when its file exists, telling the user when the
// file is missing or does not open. Leaves it current when it opened.
AccountStoreState OpenAccountStore(Program& program);

}  // namespace vostrel::core
