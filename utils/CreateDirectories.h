// Creating a folder with all its parents.
#pragma once

#include <string>

namespace Utils {

// True when the folder exists or was created with all its parents; a path
// longer than 260 characters fails at once without creating anything.
bool CreateDirectories(const std::wstring& path);

}  // namespace Utils
