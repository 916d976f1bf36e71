// Opens the skin package stored in the program as resource "ZIPRES".
#pragma once

#include <windows.h>

namespace SkinUI {

// Finds resource ("ZIPRES", id) in the module, copies it and makes it the
// process-wide package (kept when the same bytes are open already).
// False when the resource is missing, empty or not an archive.
bool OpenSkinResource(HINSTANCE module, int resourceId);

}  // namespace SkinUI
