// One property value of an analytics record: a tagged union.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace telemetry_core {
namespace utils {

class ObjectNode;

class ValueNode {
 public:
  enum Kind : int { Number = 0, Integer = 1, String = 2, List = 3, DateTime = 4, Boolean = 5, Object = 6 };

  static ValueNode MakeNumber(double value);
  static ValueNode MakeInteger(int64_t value);
  static ValueNode MakeString(std::string value);
  static ValueNode MakeList(std::vector<std::string> value);
  static ValueNode MakeDateTime(int64_t seconds, int milliseconds);
  static ValueNode MakeBool(bool value);
  static ValueNode MakeObject(const ObjectNode& value);

  Kind kind() const { return kind_; }
  double number() const { return number_; }
  int64_t integer() const { return integer_; }
  const std::string& text() const { return text_; }
  const std::vector<std::string>& list() const { return list_; }
  int64_t seconds() const { return integer_; }
  int milliseconds() const { return millis_; }
  bool boolean() const { return boolean_; }

  void AppendJson(std::string& out) const;

 private:
  Kind kind_ = Number;
  double number_ = 0;
  int64_t integer_ = 0;  // integer payload, or the date-time's seconds
  int millis_ = 0;
  bool boolean_ = false;
  std::string text_;
  std::vector<std::string> list_;
  std::shared_ptr<const ObjectNode> object_;
};

// A JSON string: quoted, with \b \t \n \f \r \" \\ escaped, other bytes copied.
void AppendJsonString(std::string& out, const std::string& text);

}  // namespace utils
}  // namespace telemetry_core
