// All the system queries in one include.
#pragma once

#include "utils/AdminCheck.h"
#include "utils/CreateDirectories.h"
#include "utils/GuidString.h"
#include "utils/HardDiskManager.h"
#include "utils/NetworkCheck.h"
#include "utils/ProductRegistry.h"
#include "utils/SessionUser.h"
#include "utils/Stopwatch.h"
#include "utils/SystemVersion.h"
#include "utils/TempWorkDir.h"
#include "utils/Wow64.h"
