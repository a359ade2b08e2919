// Exit status of the process, so scripts can tell the outcomes apart.
#pragma once

namespace rondix {

enum ExitStatus : int {
  kExitSuccess = 0,      // help, version, or a run whose files were all written
  kExitFailed = 1,       // a check failed or a file was not converted
  kExitOptionError = 2,  // the command line could not be applied
  kExitLocked = 3,       // another instance holds the single-instance lock
};

}  // namespace rondix
