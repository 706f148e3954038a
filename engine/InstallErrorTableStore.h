// The one install error table of the process.
#pragma once

#include "InstallErrorTable.h"

// Built from the string table on the first call, under a process-wide lock; the same
// table on every later call, from any thread.
const InstallErrorTable& GetInstallErrorTable();
