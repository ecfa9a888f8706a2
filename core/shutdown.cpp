#include "core/shutdown.h"

#include "core/program.h"
#include "platform/os/files.h"

namespace vostrel::core {

void MainWindowDestroyed(Program& program) { os::DeleteFile(program.PathOf(kScratchPageName)); }

void ProgramExitCleanup(Program& program) { program.state = ProgramState{}; }

}  // namespace vostrel::core
