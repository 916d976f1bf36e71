#include "telemetry/core/ObjectNode.h"

#include <cstdio>

#include "telemetry/core/Validation.h"

namespace telemetry_core {
namespace utils {

void ObjectNode::SetNumber(const std::string& key, double value) { Put(key, ValueNode::MakeNumber(value)); }

void ObjectNode::SetNumber(const std::string& key, int value) { Put(key, ValueNode::MakeInteger(value)); }

void ObjectNode::SetInteger(const std::string& key, int64_t value) { Put(key, ValueNode::MakeInteger(value)); }

void ObjectNode::SetString(const std::string& key, const std::string& value) {
  if (value.size() > 8192) {
    std::fprintf(stderr, "String property '%s' is too long, value: %s\n", key.c_str(), value.c_str());
    return;
  }
  if (!IsValidUtf8(value)) {
    std::fprintf(stderr, "String property '%s' is not valid UTF-8 string, value: %s\n", key.c_str(), value.c_str());
    return;
  }
  Put(key, ValueNode::MakeString(value));
}

void ObjectNode::SetBool(const std::string& key, bool value) { Put(key, ValueNode::MakeBool(value)); }

void ObjectNode::SetList(const std::string& key, const std::vector<std::string>& value) {
  Put(key, ValueNode::MakeList(value));
}

void ObjectNode::SetDateTime(const std::string& key, int64_t seconds, int milliseconds) {
  Put(key, ValueNode::MakeDateTime(seconds, milliseconds));
}

void ObjectNode::SetObject(const std::string& key, const ObjectNode& node) { Put(key, ValueNode::MakeObject(node)); }

void ObjectNode::MergeFrom(const ObjectNode& other) {
  for (const auto& entry : other.entries_) entries_[entry.first] = entry.second;
}

const ValueNode* ObjectNode::Find(const std::string& key) const {
  auto it = entries_.find(key);
  return it == entries_.end() ? nullptr : &it->second;
}

bool ObjectNode::Remove(const std::string& key) { return entries_.erase(key) > 0; }

std::string ObjectNode::ToJson() const {
  std::string out = "{";
  bool first = true;
  for (const auto& entry : entries_) {
    if (!first) out += ',';
    first = false;
    out += '"';
    out += entry.first;
    out += "\":";
    entry.second.AppendJson(out);
  }
  out += '}';
  return out;
}

}  // namespace utils
}  // namespace telemetry_core
