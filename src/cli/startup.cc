#include "cli/startup.h"

#include "cli/exit_status.h"
#include "cli/help_text.h"
#include "core/product.h"
#include "platform/console.h"

namespace rondix {

FrontEndOutcome StartUp(Parameters params, Process& process, const ConsoleIo& console,
                        std::FILE* errors) {
  const std::string title = TitleText();
  process.lock = AcquireInstanceLock(title);
  if (!process.lock.held()) {
    PrintLine(errors, process.lock.status() == LockStatus::Busy
                          ? title + " is already running."
                          : title + ": cannot take the single-instance lock " +
                                LockFilePath(title));
    return {FrontEndNext::Exit, kExitLocked, {}};
  }
  FrontEndContext ctx{process.settings, process.project, console, RunningProgramName()};
  return CommandLineFrontEnd(params, ctx);
}

}  // namespace rondix
