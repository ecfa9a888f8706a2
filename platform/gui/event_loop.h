#pragma once

#include <functional>
#include <string>

namespace vostrel::gui {

// Creates the application object unless one exists, with a font that shows Chinese texts.
void InitApplication();

// Shows the toolkit's own texts (standard buttons such as Yes, No, OK) in
// the language of the locale named, e.g. "zh_CN"; false when not installed.
bool UseToolkitTranslations(const std::string& locale_name);

// Lets pending window events run, without waiting for new ones.
void ProcessPendingEvents();

// Runs until QuitEventLoop or until the last window has closed; returns the exit code.
int RunEventLoop();
void QuitEventLoop();

// Runs the task the next time events are processed.
void PostTask(std::function<void()> task);

// Runs the routine once when the program ends (normal quit or process exit).
void RegisterExitRoutine(std::function<void()> routine);

}  // namespace vostrel::gui
