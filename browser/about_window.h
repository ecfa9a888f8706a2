#pragma once

namespace vostrel::browser {

// Shows the about window modally; its button closes it.
void ShowAboutWindow();

}  // namespace vostrel::browser
