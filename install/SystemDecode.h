// The decoder's conversion on Windows: MultiByteToWideChar with flags 0;
// empty text when the code page cannot convert the bytes.
#pragma once

#include "install/ProtocolDecoder.h"

ProtocolDecoder::Decode SystemDecode();
