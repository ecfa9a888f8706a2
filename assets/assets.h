#pragma once

#include <string_view>
#include <vector>

namespace vostrel::assets {

// The notification-area icon: an ICO file of one 16x16 picture in 256 colours.
std::string_view TrayIcon();

// Six 16x16 PNG pictures for the folder tree, by picture number: 0 account,
// 1 inbox, 2 outbox (waiting to be sent), 3 deleted, 4 sent, 5 plain folder.
std::vector<std::string_view> FolderTreePictures();

// Nine 32x32 PNG pictures for the tool bar, by image number: 0 receive,
// 1 send, 2 compose, 3 reply, 4 forward, 5 delete, 6 favourite, 7 find,
// 8 home page.
std::vector<std::string_view> ToolBarPictures();

}  // namespace vostrel::assets
