#include "core/profiles/json_reader.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <unordered_set>

#include "core/settings/text_codec.h"

namespace corvaline {
namespace {

constexpr int kMaxDepth = 64;
constexpr std::size_t kMaxText = 16u << 20;

struct ParseFailure {
  std::size_t at;
  std::string what;
};

class Parser {
 public:
  explicit Parser(std::string_view t) : t_(t) {}

  JsonValue Document() {
    JsonValue v = Value(0);
    SkipSpace();
    if (p_ != t_.size()) Fail("text after the end of the document");
    return v;
  }

  std::string Where(std::size_t at) const {
    int line = 1, column = 1;
    for (std::size_t i = 0; i < at && i < t_.size(); ++i) {
      if (t_[i] == '\n') {
        ++line;
        column = 1;
      } else {
        ++column;
      }
    }
    return "line " + std::to_string(line) + ", column " + std::to_string(column);
  }

 private:
  [[noreturn]] void Fail(std::string what) const { throw ParseFailure{p_, std::move(what)}; }

  void SkipSpace() {
    while (p_ < t_.size() && (t_[p_] == ' ' || t_[p_] == '\t' || t_[p_] == '\n' || t_[p_] == '\r'))
      ++p_;
  }

  bool Literal(std::string_view word) {
    if (t_.substr(p_, word.size()) != word) return false;
    p_ += word.size();
    return true;
  }

  JsonValue Value(int depth) {
    if (depth > kMaxDepth) Fail("nested too deeply");
    SkipSpace();
    if (p_ >= t_.size()) Fail("unexpected end of the text");
    JsonValue v;
    const char c = t_[p_];
    if (c == '{') return Object(depth);
    if (c == '[') return Array(depth);
    if (c == '"') {
      v.kind = JsonValue::Kind::String;
      v.text = String();
    } else if (Literal("true")) {
      v.kind = JsonValue::Kind::Bool;
      v.flag = true;
    } else if (Literal("false")) {
      v.kind = JsonValue::Kind::Bool;
    } else if (Literal("null")) {
      v.kind = JsonValue::Kind::Null;
    } else if (c == '-' || (c >= '0' && c <= '9')) {
      v = Number();
    } else {
      Fail(std::string("unexpected character '") + c + "'");
    }
    return v;
  }

  JsonValue Object(int depth) {
    JsonValue v;
    v.kind = JsonValue::Kind::Object;
    std::unordered_set<std::string> names;
    ++p_;
    SkipSpace();
    if (p_ < t_.size() && t_[p_] == '}') {
      ++p_;
      return v;
    }
    for (;;) {
      SkipSpace();
      if (p_ >= t_.size() || t_[p_] != '"') Fail("expected a member name in quotes");
      const std::size_t keyAt = p_;
      std::string key = String();
      // A second member of one name would silently win or lose: say where.
      if (!names.insert(key).second)
        throw ParseFailure{keyAt, "the member \"" + key + "\" is there twice"};
      SkipSpace();
      if (p_ >= t_.size() || t_[p_] != ':') Fail("expected ':' after a member name");
      ++p_;
      v.members.push_back(JsonMember{std::move(key), Value(depth + 1)});
      SkipSpace();
      if (p_ < t_.size() && t_[p_] == ',') {
        ++p_;
        continue;
      }
      if (p_ < t_.size() && t_[p_] == '}') {
        ++p_;
        return v;
      }
      Fail("expected ',' or '}'");
    }
  }

  JsonValue Array(int depth) {
    JsonValue v;
    v.kind = JsonValue::Kind::Array;
    ++p_;
    SkipSpace();
    if (p_ < t_.size() && t_[p_] == ']') {
      ++p_;
      return v;
    }
    for (;;) {
      v.items.push_back(Value(depth + 1));
      SkipSpace();
      if (p_ < t_.size() && t_[p_] == ',') {
        ++p_;
        continue;
      }
      if (p_ < t_.size() && t_[p_] == ']') {
        ++p_;
        return v;
      }
      Fail("expected ',' or ']'");
    }
  }

  JsonValue Number() {
    const std::size_t start = p_;
    bool integral = true;
    if (t_[p_] == '-') ++p_;
    auto digits = [&] {
      const std::size_t from = p_;
      while (p_ < t_.size() && t_[p_] >= '0' && t_[p_] <= '9') ++p_;
      if (p_ == from) Fail("a number needs digits");
    };
    if (p_ < t_.size() && t_[p_] == '0') {
      ++p_;
    } else {
      digits();
    }
    if (p_ < t_.size() && t_[p_] == '.') {
      integral = false;
      ++p_;
      digits();
    }
    if (p_ < t_.size() && (t_[p_] == 'e' || t_[p_] == 'E')) {
      integral = false;
      ++p_;
      if (p_ < t_.size() && (t_[p_] == '+' || t_[p_] == '-')) ++p_;
      digits();
    }
    JsonValue v;
    v.kind = JsonValue::Kind::Number;
    v.integral = integral;
    const std::string copy(t_.substr(start, p_ - start));
    v.number = std::strtod(copy.c_str(), nullptr);
    if (!std::isfinite(v.number)) Fail("number out of range");
    return v;
  }

  unsigned Hex4() {
    if (p_ + 4 > t_.size()) Fail("short \\u escape");
    unsigned value = 0;
    auto [end, ec] = std::from_chars(t_.data() + p_, t_.data() + p_ + 4, value, 16);
    if (ec != std::errc() || end != t_.data() + p_ + 4) Fail("bad \\u escape");
    p_ += 4;
    return value;
  }

  std::string String() {
    ++p_;  // opening quote
    std::string out;
    for (;;) {
      if (p_ >= t_.size()) Fail("unterminated string");
      const char c = t_[p_++];
      if (c == '"') return out;
      if (static_cast<unsigned char>(c) < 0x20) {
        --p_;  // point at the character itself
        Fail("control character in a string");
      }
      if (c != '\\') {
        out += c;
        continue;
      }
      if (p_ >= t_.size()) Fail("unterminated string");
      const char e = t_[p_++];
      switch (e) {
        case '"':
          out += '"';
          break;
        case '\\':
          out += '\\';
          break;
        case '/':
          out += '/';
          break;
        case 'b':
          out += '\b';
          break;
        case 'f':
          out += '\f';
          break;
        case 'n':
          out += '\n';
          break;
        case 'r':
          out += '\r';
          break;
        case 't':
          out += '\t';
          break;
        case 'u': {
          unsigned cp = Hex4();
          if (cp >= 0xD800 && cp < 0xDC00) {
            if (!Literal("\\u")) Fail("lone surrogate in a \\u escape");
            const unsigned low = Hex4();
            if (low < 0xDC00 || low >= 0xE000) Fail("lone surrogate in a \\u escape");
            cp = 0x10000 + ((cp - 0xD800) << 10) + (low - 0xDC00);
          } else if (cp >= 0xDC00 && cp < 0xE000) {
            Fail("lone surrogate in a \\u escape");
          }
          AppendUtf8(out, static_cast<char32_t>(cp));
          break;
        }
        default:
          Fail(std::string("unknown escape '\\") + e + "'");
      }
    }
  }

  std::string_view t_;
  std::size_t p_ = 0;
};

}  // namespace

const JsonValue* JsonValue::Find(std::string_view key) const {
  if (kind != Kind::Object) return nullptr;
  for (const auto& [name, value] : members) {
    if (name == key) return &value;
  }
  return nullptr;
}

std::optional<long long> JsonValue::IntegerIn(long long lo, long long hi) const {
  if (kind != Kind::Number || !integral) return std::nullopt;
  if (number < static_cast<double>(lo) || number > static_cast<double>(hi)) return std::nullopt;
  return static_cast<long long>(number);
}

JsonParseResult ParseJson(std::string_view text) {
  if (text.size() > kMaxText) return {std::nullopt, "the file is larger than 16 MiB"};
  if (!IsValidUtf8(text)) return {std::nullopt, "the text is not UTF-8"};
  // Editors on some systems start UTF-8 files with a byte-order mark.
  if (text.substr(0, 3) == "\xEF\xBB\xBF") text.remove_prefix(3);
  Parser parser(text);
  try {
    return {parser.Document(), {}};
  } catch (const ParseFailure& f) {
    return {std::nullopt, parser.Where(f.at) + ": " + f.what};
  }
}

}  // namespace corvaline
