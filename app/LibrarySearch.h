// Keeps libraries loaded by name out of the program's own folder.
#pragma once

namespace App {
// System folder only for later loads by name, no current folder in the
// search path, and the libraries the system likes to load late preloaded
// from the system folder.
void HardenLibrarySearch();
}  // namespace App
