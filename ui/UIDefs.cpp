#include "ui/UIDefs.h"
// Header-only definitions; this unit keeps the library's file list uniform.
