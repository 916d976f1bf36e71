#include "telemetry/core/ValueNode.h"

#include <cstdio>
#include <ctime>
#include <locale>
#include <sstream>

#include "telemetry/core/ObjectNode.h"

namespace telemetry_core {
namespace utils {

ValueNode ValueNode::MakeNumber(double value) {
  ValueNode v;
  v.kind_ = Number;
  v.number_ = value;
  return v;
}

ValueNode ValueNode::MakeInteger(int64_t value) {
  ValueNode v;
  v.kind_ = Integer;
  v.integer_ = value;
  return v;
}

ValueNode ValueNode::MakeString(std::string value) {
  ValueNode v;
  v.kind_ = String;
  v.text_ = std::move(value);
  return v;
}

ValueNode ValueNode::MakeList(std::vector<std::string> value) {
  ValueNode v;
  v.kind_ = List;
  v.list_ = std::move(value);
  return v;
}

ValueNode ValueNode::MakeDateTime(int64_t seconds, int milliseconds) {
  ValueNode v;
  v.kind_ = DateTime;
  v.integer_ = seconds;
  v.millis_ = milliseconds;
  return v;
}

ValueNode ValueNode::MakeBool(bool value) {
  ValueNode v;
  v.kind_ = Boolean;
  v.boolean_ = value;
  return v;
}

ValueNode ValueNode::MakeObject(const ObjectNode& value) {
  ValueNode v;
  v.kind_ = Object;
  v.object_ = std::make_shared<ObjectNode>(value);
  return v;
}

void AppendJsonString(std::string& out, const std::string& text) {
  out += '"';
  for (char c : text) {
    switch (c) {
      case '\b': out += "\\b"; break;
      case '\t': out += "\\t"; break;
      case '\n': out += "\\n"; break;
      case '\f': out += "\\f"; break;
      case '\r': out += "\\r"; break;
      case '"': out += "\\\""; break;
      case '\\': out += "\\\\"; break;
      default: out += c;
    }
  }
  out += '"';
}

namespace {

std::string FormatNumber(double value) {
  std::ostringstream stream;
  stream.imbue(std::locale::classic());
  stream << value;
  return stream.str();
}

std::string FormatLocalTime(int64_t seconds, int millis) {
  std::time_t t = static_cast<std::time_t>(seconds);
  std::tm local{};
#ifdef _WIN32
  localtime_s(&local, &t);
#else
  localtime_r(&t, &local);
#endif
  char buffer[64];
  std::snprintf(buffer, sizeof buffer, "%04d-%02d-%02d %02d:%02d:%02d.%03d", local.tm_year + 1900, local.tm_mon + 1,
                local.tm_mday, local.tm_hour, local.tm_min, local.tm_sec, millis);
  return buffer;
}

}  // namespace

void ValueNode::AppendJson(std::string& out) const {
  switch (kind_) {
    case Number: out += FormatNumber(number_); break;
    case Integer: out += std::to_string(integer_); break;
    case String: AppendJsonString(out, text_); break;
    case List:
      out += '[';
      for (size_t i = 0; i < list_.size(); ++i) {
        if (i) out += ',';
        AppendJsonString(out, list_[i]);
      }
      out += ']';
      break;
    case DateTime:
      out += '"';
      out += FormatLocalTime(integer_, millis_);
      out += '"';
      break;
    case Boolean: out += boolean_ ? "true" : "false"; break;
    case Object: out += object_ ? object_->ToJson() : "{}"; break;
  }
}

}  // namespace utils
}  // namespace telemetry_core
