// Report codes of the uninstall and install runners. Every report is the
// triple (code, value, text) of ReportCallback.
#pragma once

#include <cstdint>

namespace InstallCodes {

// Install run.
constexpr int32_t IST_CODE_START = 2001;
constexpr int32_t IST_CODE_PROGRESS = 2002;
constexpr int32_t INSTALL_SUCCESS = 2003;
constexpr int32_t IST_CODE_FAIL = 2004;

// Facts the setup package prints about the installation.
constexpr int32_t IST_INFO_INST_PATH = 3000;
constexpr int32_t IST_INFO_EXE_PATH = 3001;
constexpr int32_t IST_INFO_UNINST_EXE = 3002;
constexpr int32_t IST_INFO_UNINST_EP = 3003;
constexpr int32_t IST_INFO_START_URL = 3004;
constexpr int32_t IST_INFO_STARTUP_STYLE = 3005;
constexpr int32_t IST_INFO_TOP_SHOW_DETENTION = 3007;
constexpr int32_t IST_INFO_FINISH_CLOSE_DETENTION = 3008;
constexpr int32_t IST_INFO_MESSAGE = 3009;

// Uninstall run. 5001 is accepted by the controller but never sent.
constexpr int32_t UNIST_CODE_START = 5001;
constexpr int32_t UNIST_CODE_PROGRESS = 5002;
constexpr int32_t UNIST_CODE_SUCCESS = 5003;
constexpr int32_t UNIST_CODE_FAIL = 5004;
constexpr int32_t UNIST_CODE_ERROR = 5005;

}  // namespace InstallCodes
