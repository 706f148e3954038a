// The one install error table of the process.
#pragma once

#include "InstallErrorTable.h"

// The rows and what current phones answer besides them (BuildCompleteInstallErrorTable),
// built from the string table on the first call, under a process-wide lock; the same
// table on every later call, from any thread.
const InstallErrorTable& GetInstallErrorTable();
