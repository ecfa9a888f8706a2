#pragma once

namespace vostrel::core {
class Program;
}

namespace vostrel::browser {

// Builds the tree: the account, and under it one item per folder record.
void LoadFolderTree(core::Program& program);

}  // namespace vostrel::browser
