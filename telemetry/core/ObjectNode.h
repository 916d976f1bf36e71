// An ordered map of property values, serialised in ascending byte order of keys.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "telemetry/core/ValueNode.h"

namespace telemetry_core {
namespace utils {

class ObjectNode {
 public:
  ObjectNode() = default;
  ObjectNode(const ObjectNode&) = default;
  ObjectNode& operator=(const ObjectNode&) = default;
  virtual ~ObjectNode() = default;

  void SetNumber(const std::string& key, double value);
  void SetNumber(const std::string& key, int value);
  void SetInteger(const std::string& key, int64_t value);
  // Refuses (and reports on standard error) values over 8192 bytes or not valid UTF-8.
  void SetString(const std::string& key, const std::string& value);
  void SetBool(const std::string& key, bool value);
  void SetList(const std::string& key, const std::vector<std::string>& value);
  void SetDateTime(const std::string& key, int64_t seconds, int milliseconds);
  virtual void SetObject(const std::string& key, const ObjectNode& node);
  void MergeFrom(const ObjectNode& other);

  const ValueNode* Find(const std::string& key) const;
  bool Remove(const std::string& key);
  bool Empty() const { return entries_.empty(); }
  size_t Size() const { return entries_.size(); }
  const std::map<std::string, ValueNode>& Entries() const { return entries_; }

  std::string ToJson() const;

 protected:
  void Put(const std::string& key, ValueNode value) { entries_[key] = std::move(value); }

 private:
  std::map<std::string, ValueNode> entries_;
};

}  // namespace utils
}  // namespace telemetry_core
