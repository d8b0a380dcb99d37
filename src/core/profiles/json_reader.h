// A small JSON reader for the profile files: the whole text into a tree of
// values, or one line saying where it stops being JSON.
#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace corvaline {

struct JsonMember;

struct JsonValue {
  enum class Kind { Null, Bool, Number, String, Array, Object };
  Kind kind = Kind::Null;
  bool flag = false;
  double number = 0;
  bool integral = false;  // the number was written without fraction or exponent
  std::string text;
  std::vector<JsonValue> items;                            // Array
  std::vector<JsonMember> members;  // Object, in file order

  // The member of that name, or nullptr (also when this is no object).
  const JsonValue* Find(std::string_view key) const;
  bool IsString() const { return kind == Kind::String; }
  bool IsArray() const { return kind == Kind::Array; }
  bool IsObject() const { return kind == Kind::Object; }
  // An integer in [lo, hi] written as such, else nullopt.
  std::optional<long long> IntegerIn(long long lo, long long hi) const;
};

// A name and its value: its own type rather than a pair, which would need
// the value's type complete inside its own definition.
struct JsonMember {
  std::string name;
  JsonValue value;
};

struct JsonParseResult {
  std::optional<JsonValue> value;
  std::string error;  // "line L, column C: what", when value is empty
};

// Parses one JSON document (RFC 8259; UTF-8 text, \u escapes with surrogate
// pairs; a leading byte-order mark is skipped; a member name twice in one
// object is refused). Nesting deeper than 64 levels and texts over 16 MiB are refused
// rather than exhausting the stack or memory.
JsonParseResult ParseJson(std::string_view text);

}  // namespace corvaline
