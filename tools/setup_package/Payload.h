// Resource ids of the files the stand-in setup package carries.
#pragma once

#define QV_PAYLOAD_PRODUCT 101      // Quelvox.exe, the demo product
#define QV_PAYLOAD_UNINSTALLER 102  // uninst.ep, the stand-in uninstaller
