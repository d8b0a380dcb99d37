#include "core/profiles/json_writer.h"

#include <cstdio>

namespace corvaline {

std::string JsonEscape(std::string_view text) {
  std::string out;
  out.reserve(text.size() + 2);
  for (char c : text) {
    switch (c) {
      case '"':
        out += "\\\"";
        break;
      case '\\':
        out += "\\\\";
        break;
      case '\n':
        out += "\\n";
        break;
      case '\r':
        out += "\\r";
        break;
      case '\t':
        out += "\\t";
        break;
      default:
        if (static_cast<unsigned char>(c) < 0x20) {
          char buf[8];
          std::snprintf(buf, sizeof buf, "\\u%04x", static_cast<unsigned char>(c));
          out += buf;
        } else {
          out += c;
        }
    }
  }
  return out;
}

void JsonWriter::Indent() {
  if (!inline_.empty() && inline_.back()) {
    out_ << ' ';
    return;
  }
  out_ << '\n';
  for (std::size_t i = 0; i < first_.size(); ++i) out_ << "  ";
}

void JsonWriter::Separate() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (first_.empty()) return;
  if (!first_.back()) out_ << ',';
  first_.back() = false;
  Indent();
}

JsonWriter& JsonWriter::BeginObject() {
  Separate();
  out_ << '{';
  first_.push_back(true);
  inline_.push_back(!inline_.empty() && inline_.back());
  return *this;
}

JsonWriter& JsonWriter::BeginInlineObject() {
  Separate();
  out_ << '{';
  first_.push_back(true);
  inline_.push_back(true);
  return *this;
}

void JsonWriter::Close(char bracket) {
  const bool empty = first_.back();
  const bool wasInline = inline_.back();
  first_.pop_back();
  inline_.pop_back();
  if (!empty) {
    if (wasInline)
      out_ << ' ';
    else
      Indent();
  }
  out_ << bracket;
}

JsonWriter& JsonWriter::EndObject() {
  Close('}');
  return *this;
}

JsonWriter& JsonWriter::BeginArray() {
  Separate();
  out_ << '[';
  first_.push_back(true);
  inline_.push_back(!inline_.empty() && inline_.back());
  return *this;
}

JsonWriter& JsonWriter::EndArray() {
  Close(']');
  return *this;
}

JsonWriter& JsonWriter::Key(std::string_view key) {
  Separate();
  out_ << '"' << JsonEscape(key) << "\": ";
  afterKey_ = true;
  return *this;
}

JsonWriter& JsonWriter::Value(std::string_view text) {
  Separate();
  out_ << '"' << JsonEscape(text) << '"';
  return *this;
}

JsonWriter& JsonWriter::Value(long long number) {
  Separate();
  out_ << number;
  return *this;
}

JsonWriter& JsonWriter::Value(bool flag) {
  Separate();
  out_ << (flag ? "true" : "false");
  return *this;
}

JsonWriter& JsonWriter::Null() {
  Separate();
  out_ << "null";
  return *this;
}

}  // namespace corvaline
