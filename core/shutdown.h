#pragma once

namespace vostrel::core {

class Program;

// The main window's will-be-destroyed event: the scratch page goes.
void MainWindowDestroyed(Program& program);
// Run when the program ends: releases the program state. No store is written.
void ProgramExitCleanup(Program& program);

}  // namespace vostrel::core
