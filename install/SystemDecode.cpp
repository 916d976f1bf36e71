#include "install/SystemDecode.h"

#include "utils/TextConvert.h"

ProtocolDecoder::Decode SystemDecode() {
  return [](const std::string& bytes, uint32_t codePage) { return Utils::ToWide(bytes, codePage); };
}
