#include "ScriptValue.h"

#include <cstdio>
#include <deque>
#include <limits>
#include <mutex>

#include "Text.h"

namespace devengine {
namespace {

constexpr uint64_t kTagMask = 0xFFFFFF0000000000ULL;
constexpr uint64_t kTagBase = 0x4000000000000000ULL;
enum : uint64_t { kTagUndefined = 1, kTagNull = 2, kTagBoolean = 3, kTagString = 4 };
constexpr size_t kMaxStrings = 4096;

jsValue Tagged(uint64_t tag, uint32_t payload) {
  return static_cast<jsValue>(kTagBase | (tag << 32) | payload);
}

// Strings live in a bounded table: script values are plain integers that nobody releases, so
// the oldest strings are forgotten once the table is full (they then read as empty text).
class StringTable {
 public:
  uint32_t Add(const std::string& text) {
    std::lock_guard<std::mutex> lock(mutex_);
    if (strings_.size() >= kMaxStrings) {
      strings_.pop_front();
      ++first_;
    }
    strings_.push_back(text);
    return first_ + static_cast<uint32_t>(strings_.size() - 1);
  }
  std::string Get(uint32_t id) {
    std::lock_guard<std::mutex> lock(mutex_);
    uint32_t offset = id - first_;
    if (offset >= strings_.size()) return std::string();
    return strings_[offset];
  }

 private:
  std::mutex mutex_;
  std::deque<std::string> strings_;
  uint32_t first_ = 1;
};

StringTable& Strings() {
  static StringTable table;
  return table;
}

bool IsInt32(jsValue value) {
  return value >= std::numeric_limits<int32_t>::min() && value <= std::numeric_limits<int32_t>::max();
}

// Whole-text decimal integer with optional sign and surrounding blanks, wrapped to 32 bits as
// script's integer conversion does; false for anything else.
bool ParseDecimalText(const std::string& text, int32_t* out) {
  size_t i = 0, n = text.size();
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
  while (i < n && blank(text[i])) ++i;
  bool negative = false;
  if (i < n && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  size_t digits = 0;
  uint32_t value = 0;
  while (i < n && text[i] >= '0' && text[i] <= '9') {
    value = value * 10u + static_cast<uint32_t>(text[i] - '0');
    ++i;
    ++digits;
  }
  while (i < n && blank(text[i])) ++i;
  if (digits == 0 || i != n) return false;
  if (negative) value = 0u - value;
  *out = static_cast<int32_t>(value);
  return true;
}

void AppendUtf8(uint32_t code, std::string* out) {
  if (code < 0x80) {
    out->push_back(static_cast<char>(code));
  } else if (code < 0x800) {
    out->push_back(static_cast<char>(0xC0 | (code >> 6)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else if (code < 0x10000) {
    out->push_back(static_cast<char>(0xE0 | (code >> 12)));
    out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  } else {
    out->push_back(static_cast<char>(0xF0 | (code >> 18)));
    out->push_back(static_cast<char>(0x80 | ((code >> 12) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | ((code >> 6) & 0x3F)));
    out->push_back(static_cast<char>(0x80 | (code & 0x3F)));
  }
}

class LiteralReader {
 public:
  explicit LiteralReader(const std::string& text) : text_(text) {}

  void SkipBlanks() {
    while (pos_ < text_.size() &&
           (text_[pos_] == ' ' || text_[pos_] == '\t' || text_[pos_] == '\r' || text_[pos_] == '\n'))
      ++pos_;
  }
  bool AtEnd() const { return pos_ >= text_.size(); }
  char Peek() const { return AtEnd() ? '\0' : text_[pos_]; }
  void Advance() { ++pos_; }

  bool ReadValue(jsValue* value, std::string* error) {
    SkipBlanks();
    char c = Peek();
    if (c == '\'' || c == '"') return ReadString(value, error);
    if (c == '-' || c == '+' || (c >= '0' && c <= '9')) return ReadNumber(value, error);
    std::string word;
    while (!AtEnd() && IsWordChar(Peek())) {
      word.push_back(Peek());
      Advance();
    }
    if (word == "true" || word == "false") {
      *value = MakeBoolean(word == "true");
    } else if (word == "null") {
      *value = MakeNull();
    } else if (word == "undefined") {
      *value = MakeUndefined();
    } else {
      *error = word.empty() ? "a value is missing" : "unknown value '" + word + "'";
      return false;
    }
    return true;
  }

  static bool IsWordChar(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '_' || c == '$';
  }

 private:
  bool ReadNumber(jsValue* value, std::string* error) {
    bool negative = false;
    if (Peek() == '-' || Peek() == '+') {
      negative = Peek() == '-';
      Advance();
    }
    int64_t magnitude = 0;
    size_t digits = 0;
    while (!AtEnd() && Peek() >= '0' && Peek() <= '9') {
      magnitude = magnitude * 10 + (Peek() - '0');
      if (magnitude > (int64_t{1} << 31)) {
        *error = "number out of the 32-bit range";
        return false;
      }
      Advance();
      ++digits;
    }
    if (digits == 0) {
      *error = "a number has no digits";
      return false;
    }
    int64_t v = negative ? -magnitude : magnitude;
    if (!IsInt32(v)) {
      *error = "number out of the 32-bit range";
      return false;
    }
    *value = MakeInteger(static_cast<int32_t>(v));
    return true;
  }

  bool ReadHex4(uint32_t* code) {
    if (pos_ + 4 > text_.size()) return false;
    uint32_t v = 0;
    for (int k = 0; k < 4; ++k) {
      char c = text_[pos_++];
      v <<= 4;
      if (c >= '0' && c <= '9') {
        v |= static_cast<uint32_t>(c - '0');
      } else if (c >= 'a' && c <= 'f') {
        v |= static_cast<uint32_t>(c - 'a' + 10);
      } else if (c >= 'A' && c <= 'F') {
        v |= static_cast<uint32_t>(c - 'A' + 10);
      } else {
        return false;
      }
    }
    *code = v;
    return true;
  }

  bool ReadString(jsValue* value, std::string* error) {
    char quote = Peek();
    Advance();
    std::string out;
    for (;;) {
      if (AtEnd()) {
        *error = "a text has no closing quote";
        return false;
      }
      char c = Peek();
      Advance();
      if (c == quote) break;
      if (c != '\\') {
        out.push_back(c);
        continue;
      }
      if (AtEnd()) continue;
      char e = Peek();
      Advance();
      switch (e) {
        case 'n':
          out.push_back('\n');
          break;
        case 't':
          out.push_back('\t');
          break;
        case 'r':
          out.push_back('\r');
          break;
        case 'u': {
          uint32_t code = 0;
          if (!ReadHex4(&code)) {
            *error = "a \\u escape needs four hex digits";
            return false;
          }
          if (code >= 0xD800 && code < 0xDC00 && pos_ + 6 <= text_.size() && text_[pos_] == '\\' &&
              text_[pos_ + 1] == 'u') {
            size_t save = pos_;
            pos_ += 2;
            uint32_t low = 0;
            if (ReadHex4(&low) && low >= 0xDC00 && low < 0xE000) {
              code = 0x10000 + ((code - 0xD800) << 10) + (low - 0xDC00);
            } else {
              pos_ = save;
            }
          }
          AppendUtf8(code, &out);
          break;
        }
        default:
          out.push_back(e);
          break;
      }
    }
    *value = MakeString(out);
    return true;
  }

  const std::string& text_;
  size_t pos_ = 0;
};

}  // namespace

jsValue MakeInteger(int32_t value) { return value; }
jsValue MakeUndefined() { return Tagged(kTagUndefined, 0); }
jsValue MakeNull() { return Tagged(kTagNull, 0); }
jsValue MakeBoolean(bool value) { return Tagged(kTagBoolean, value ? 1 : 0); }
jsValue MakeString(const std::string& utf8) { return Tagged(kTagString, Strings().Add(utf8)); }

ValueKind KindOf(jsValue value) {
  if (IsInt32(value)) return ValueKind::Integer;
  uint64_t bits = static_cast<uint64_t>(value);
  if ((bits & kTagMask) == kTagBase) {
    switch ((bits >> 32) & 0xFF) {
      case kTagUndefined:
        return ValueKind::Undefined;
      case kTagNull:
        return ValueKind::Null;
      case kTagBoolean:
        return ValueKind::Boolean;
      case kTagString:
        return ValueKind::String;
      default:
        break;
    }
  }
  return ValueKind::Number;
}

int32_t ToInt32(jsValue value) {
  switch (KindOf(value)) {
    case ValueKind::Integer:
      return static_cast<int32_t>(value);
    case ValueKind::Boolean:
      return static_cast<int32_t>(value & 1);
    case ValueKind::String: {
      int32_t parsed = 0;
      return ParseDecimalText(Strings().Get(static_cast<uint32_t>(value)), &parsed) ? parsed : 0;
    }
    case ValueKind::Number:
      return static_cast<int32_t>(static_cast<uint32_t>(static_cast<uint64_t>(value)));
    default:
      return 0;
  }
}

std::string ToText(jsValue value) {
  switch (KindOf(value)) {
    case ValueKind::Integer:
    case ValueKind::Number: {
      char buffer[32];
      std::snprintf(buffer, sizeof buffer, "%lld", static_cast<long long>(value));
      return buffer;
    }
    case ValueKind::Undefined:
      return "undefined";
    case ValueKind::Null:
      return "null";
    case ValueKind::Boolean:
      return (value & 1) ? "true" : "false";
    case ValueKind::String:
      return Strings().Get(static_cast<uint32_t>(value));
  }
  return std::string();
}

bool ParseLiteral(const std::string& text, jsValue* value, std::string* error) {
  LiteralReader reader(text);
  if (!reader.ReadValue(value, error)) return false;
  reader.SkipBlanks();
  if (!reader.AtEnd()) {
    *error = "unexpected text after a value";
    return false;
  }
  return true;
}

bool ParseArgumentList(const std::string& text, std::vector<jsValue>* values, std::string* error) {
  values->clear();
  LiteralReader reader(text);
  reader.SkipBlanks();
  if (reader.AtEnd()) return true;
  for (;;) {
    jsValue value = 0;
    if (!reader.ReadValue(&value, error)) return false;
    values->push_back(value);
    reader.SkipBlanks();
    if (reader.AtEnd()) return true;
    if (reader.Peek() != ',') {
      *error = "arguments must be separated by commas";
      return false;
    }
    reader.Advance();
  }
}

bool ParseCall(const std::string& text, std::string* name, std::vector<jsValue>* args, std::string* error) {
  std::string trimmed = TrimAscii(text);
  if (!trimmed.empty() && trimmed.back() == ';') trimmed = TrimAscii(trimmed.substr(0, trimmed.size() - 1));
  size_t i = 0;
  while (i < trimmed.size() && LiteralReader::IsWordChar(trimmed[i])) ++i;
  if (i == 0) {
    *error = "a call must start with a function name";
    return false;
  }
  *name = trimmed.substr(0, i);
  std::string rest = TrimAscii(trimmed.substr(i));
  if (rest.empty()) {
    args->clear();
    return true;
  }
  if (rest.front() != '(' || rest.back() != ')') {
    *error = "the arguments of a call must be in parentheses";
    return false;
  }
  return ParseArgumentList(rest.substr(1, rest.size() - 2), args, error);
}

std::string LeadingFunctionName(const std::string& script) {
  std::string trimmed = TrimAscii(script);
  size_t i = 0;
  while (i < trimmed.size() && (LiteralReader::IsWordChar(trimmed[i]) || trimmed[i] == '.')) ++i;
  std::string name = trimmed.substr(0, i);
  if (name.empty() || (name[0] >= '0' && name[0] <= '9')) return std::string();
  return name;
}

}  // namespace devengine
