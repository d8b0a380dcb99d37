// A small JSON writer: the profile files and the --json output of corvalinectl.
#pragma once

#include <cstdint>
#include <ostream>
#include <string>
#include <string_view>
#include <vector>

namespace corvaline {

class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}
  ~JsonWriter() { out_ << '\n'; }

  JsonWriter& BeginObject();
  // An object written on one line, for small records in long lists.
  JsonWriter& BeginInlineObject();
  JsonWriter& EndObject();
  JsonWriter& BeginArray();
  JsonWriter& EndArray();
  // The key of the next value inside an object.
  JsonWriter& Key(std::string_view key);
  JsonWriter& Value(std::string_view text);
  JsonWriter& Value(const char* text) { return Value(std::string_view(text)); }
  JsonWriter& Value(const std::string& text) { return Value(std::string_view(text)); }
  JsonWriter& Value(long long number);
  JsonWriter& Value(int number) { return Value(static_cast<long long>(number)); }
  JsonWriter& Value(unsigned number) { return Value(static_cast<long long>(number)); }
  JsonWriter& Value(bool flag);
  JsonWriter& Null();

  template <typename T>
  JsonWriter& Field(std::string_view key, const T& value) {
    Key(key);
    return Value(value);
  }

 private:
  void Separate();
  void Close(char bracket);
  void Indent();

  std::ostream& out_;
  std::vector<bool> first_;   // per open container: nothing written in it yet
  std::vector<bool> inline_;  // per open container: written on one line
  bool afterKey_ = false;
};

std::string JsonEscape(std::string_view text);

}  // namespace corvaline
