#pragma once

#include "platform/gui/edit_box.h"
#include "platform/gui/window.h"

namespace vostrel::core {
class Program;
}

namespace vostrel::accounts {

// The five boxes of the settings window, one per field of the account record.
struct AccountSettingsBoxes {
  gui::EditBox* smtp_server = nullptr;
  gui::EditBox* pop3_server = nullptr;
  gui::EditBox* pop3_account = nullptr;
  gui::EditBox* password = nullptr;
  gui::EditBox* reply_address = nullptr;
};

// Makes the account store current (opening it when needed) and shows its
// current record in the boxes.
void FillAccountSettings(core::Program& program, const AccountSettingsBoxes& boxes);
// Writes the boxes as the one account record and closes the window; with a box
// left empty it says so and keeps the window open.
void SaveAccountSettings(core::Program& program, const AccountSettingsBoxes& boxes, gui::Window& window);
// Builds the folder tree again from the stores, however the window closed.
void AccountSettingsClosed(core::Program& program);

}  // namespace vostrel::accounts
