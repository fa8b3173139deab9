#include "platform/reg_text.h"

#include <cstdint>

#include "platform/utf8.h"

namespace qrv::platform {

namespace {

constexpr std::string_view kSignature5 = "Windows Registry Editor Version 5.00";
constexpr std::string_view kSignature4 = "REGEDIT4";
constexpr std::string_view kCurrentUser = "HKEY_CURRENT_USER";
constexpr std::string_view kLocalMachine = "HKEY_LOCAL_MACHINE";

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r';
}

std::string_view TrimLeft(std::string_view s) {
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  return s;
}

std::string_view TrimRight(std::string_view s) {
  while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
  return s;
}

bool StartsWithNoCase(std::string_view s, std::string_view prefix) {
  return s.size() >= prefix.size() && EqualNoCase(s.substr(0, prefix.size()), prefix);
}

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// 1 to 8 hex digits, nothing else.
bool ParseHex32(std::string_view s, uint32_t* out) {
  if (s.empty() || s.size() > 8) return false;
  uint32_t value = 0;
  for (char c : s) {
    const int d = HexDigit(c);
    if (d < 0) return false;
    value = (value << 4) | static_cast<uint32_t>(d);
  }
  *out = value;
  return true;
}

// Comma-separated bytes of one or two hex digits; a trailing comma is allowed.
bool ParseHexList(std::string_view s, std::string* out) {
  out->clear();
  s = TrimRight(s);
  while (!s.empty()) {
    size_t comma = s.find(',');
    std::string_view token = TrimRight(TrimLeft(s.substr(0, comma)));
    uint32_t byte = 0;
    if (token.size() > 2 || !ParseHex32(token, &byte)) return false;
    out->push_back(static_cast<char>(byte));
    if (comma == std::string_view::npos) break;
    s = TrimLeft(s.substr(comma + 1));
  }
  return true;
}

// A quoted text at s[0] with \\ and \" escapes (any other backslash stands for itself); pos
// receives the index after the closing quote.
bool ParseQuoted(std::string_view s, size_t* pos, std::string* out) {
  out->clear();
  for (size_t i = 1; i < s.size(); ++i) {
    if (s[i] == '"') {
      *pos = i + 1;
      return true;
    }
    if (s[i] == '\\' && i + 1 < s.size() && (s[i + 1] == '\\' || s[i + 1] == '"')) ++i;
    out->push_back(s[i]);
  }
  return false;
}

bool IsStringType(uint32_t type) {
  return type == kRegSz || type == kRegExpandSz || type == kRegMultiSz;
}

class Parser {
 public:
  explicit Parser(RegDocument* doc) : doc_(doc) {}

  void Line(std::string_view line) {
    if (line.empty() || line.front() == ';') return;
    if (line == kSignature5) return;
    if (line == kSignature4) {
      ansiHex_ = true;
      return;
    }
    const bool ok = line.front() == '[' ? Header(line) : Value(line);
    if (!ok) ++skipped_;
  }

  int Skipped() const { return skipped_; }

 private:
  bool Header(std::string_view line) {
    current_ = nullptr;
    if (line.size() < 2 || line.back() != ']') return false;
    std::string_view inner = line.substr(1, line.size() - 2);
    const bool remove = !inner.empty() && inner.front() == '-';
    if (remove) inner.remove_prefix(1);
    const size_t slash = inner.find('\\');
    RegKey* root = Root(inner.substr(0, slash));
    std::vector<std::string> parts;
    const std::string_view rest =
        slash == std::string_view::npos ? std::string_view() : inner.substr(slash + 1);
    if (root == nullptr || !SplitRegPath(rest, &parts)) return false;
    if (remove) return RemoveKey(root, &parts);
    current_ = root;
    for (const std::string& part : parts) current_ = &current_->AddSubKey(part);
    return true;
  }

  RegKey* Root(std::string_view name) {
    if (EqualNoCase(name, kCurrentUser) || EqualNoCase(name, "HKCU")) return &doc_->currentUser;
    if (EqualNoCase(name, kLocalMachine) || EqualNoCase(name, "HKLM")) return &doc_->localMachine;
    return nullptr;
  }

  static bool RemoveKey(RegKey* root, std::vector<std::string>* parts) {
    if (parts->empty()) return false;
    const std::string last = parts->back();
    parts->pop_back();
    if (RegKey* parent = FindRegKey(*root, *parts)) parent->RemoveSubKey(last);
    return true;
  }

  bool Value(std::string_view line) {
    if (current_ == nullptr) return false;
    std::string name;
    size_t pos = 1;
    if (line.front() == '"') {
      if (!ParseQuoted(line, &pos, &name)) return false;
    } else if (line.front() != '@') {
      return false;
    }
    if (name.size() > kMaxRegValueNameLen) return false;
    std::string_view rest = TrimLeft(line.substr(pos));
    if (rest.empty() || rest.front() != '=') return false;
    rest = TrimLeft(rest.substr(1));
    if (rest == "-") {
      current_->RemoveValue(name);
      return true;
    }
    RegValue value;
    if (!Data(rest, &value)) return false;
    current_->SetValue(name, value);
    return true;
  }

  bool Data(std::string_view s, RegValue* value) {
    if (!s.empty() && s.front() == '"') {
      size_t end = 0;
      if (!ParseQuoted(s, &end, &value->data) || !TrimLeft(s.substr(end)).empty()) return false;
      value->type = kRegSz;
      value->data.push_back('\0');
      return true;
    }
    if (StartsWithNoCase(s, "dword:")) {
      uint32_t number = 0;
      if (!ParseHex32(s.substr(6), &number)) return false;
      value->type = kRegDword;
      for (int shift = 0; shift < 32; shift += 8) {
        value->data.push_back(static_cast<char>((number >> shift) & 0xFF));
      }
      return true;
    }
    return HexData(s, value);
  }

  bool HexData(std::string_view s, RegValue* value) {
    if (!StartsWithNoCase(s, "hex")) return false;
    s.remove_prefix(3);
    value->type = kRegBinary;
    if (!s.empty() && s.front() == '(') {
      const size_t close = s.find(')');
      if (close == std::string_view::npos || !ParseHex32(s.substr(1, close - 1), &value->type)) {
        return false;
      }
      s.remove_prefix(close + 1);
    }
    if (s.empty() || s.front() != ':' || !ParseHexList(s.substr(1), &value->data)) return false;
    if (IsStringType(value->type) && !ansiHex_) value->data = Utf16LeToAnsi(value->data);
    return true;
  }

  RegDocument* doc_;
  RegKey* current_ = nullptr;
  bool ansiHex_ = false;
  int skipped_ = 0;
};

// Joins continuation lines (a trailing backslash) and hands each logical line to the parser.
void SplitLines(std::string_view text, Parser* parser) {
  std::string pending;
  bool continuing = false;
  size_t start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = TrimRight(text.substr(start, end - start));
    start = end + 1;
    if (continuing) {
      pending.append(TrimLeft(line));
    } else {
      pending.assign(TrimLeft(line));
    }
    continuing = !pending.empty() && pending.back() == '\\' && pending.front() != ';';
    if (continuing) {
      pending.pop_back();
      continue;
    }
    parser->Line(pending);
  }
  if (continuing) parser->Line(pending);
}

std::string Quote(std::string_view text) {
  std::string out = "\"";
  for (char c : text) {
    if (c == '\\' || c == '"') out.push_back('\\');
    out.push_back(c);
  }
  out.push_back('"');
  return out;
}

// A string the quoted form carries unchanged: one terminating zero and no line break.
bool IsPlainString(const std::string& data) {
  return !data.empty() && data.back() == '\0' &&
         data.find_first_of(std::string_view("\0\r\n", 3)) == data.size() - 1;
}

void AppendHexList(std::string_view bytes, size_t column, std::string* out) {
  static constexpr char kDigits[] = "0123456789abcdef";
  for (size_t i = 0; i < bytes.size(); ++i) {
    const auto b = static_cast<unsigned char>(bytes[i]);
    out->push_back(kDigits[b >> 4]);
    out->push_back(kDigits[b & 0x0F]);
    column += 2;
    if (i + 1 == bytes.size()) break;
    out->push_back(',');
    ++column;
    if (column > 76) {  // regedit keeps its lines within 80 columns
      out->append("\\\r\n  ");
      column = 2;
    }
  }
}

// At least minDigits lower-case hex digits.
std::string HexDigits(uint32_t value, size_t minDigits) {
  static constexpr char kDigits[] = "0123456789abcdef";
  std::string digits;
  do {
    digits.insert(digits.begin(), kDigits[value & 0x0F]);
    value >>= 4;
  } while (value != 0 || digits.size() < minDigits);
  return digits;
}

uint32_t ReadLe32(std::string_view b) {
  uint32_t value = 0;
  for (size_t i = 4; i-- > 0;) value = (value << 8) | static_cast<unsigned char>(b[i]);
  return value;
}

void AppendValue(const RegEntry& entry, std::string* out) {
  const size_t lineStart = out->size();
  out->append(entry.name.empty() ? std::string("@") : Quote(entry.name));
  out->push_back('=');
  const RegValue& v = entry.value;
  if (v.type == kRegSz && IsPlainString(v.data)) {
    out->append(Quote(std::string_view(v.data).substr(0, v.data.size() - 1)));
  } else if (v.type == kRegDword && v.data.size() == 4) {
    out->append("dword:" + HexDigits(ReadLe32(v.data), 8));
  } else {
    out->append(v.type == kRegBinary ? std::string("hex:") : "hex(" + HexDigits(v.type, 1) + "):");
    const std::string bytes = IsStringType(v.type) ? AnsiToUtf16Le(v.data) : v.data;
    AppendHexList(bytes, out->size() - lineStart, out);
  }
  out->append("\r\n");
}

void AppendKey(const RegKey& key, const std::string& path, bool isRoot, std::string* out) {
  if (!isRoot || !key.values.empty()) {
    out->append("[" + path + "]\r\n");
    for (const RegEntry& entry : key.values) AppendValue(entry, out);
    out->append("\r\n");
  }
  for (const RegKey& sub : key.subKeys) AppendKey(sub, path + "\\" + sub.name, false, out);
}

}  // namespace

std::string DecodeRegFileBytes(std::string_view bytes) {
  if (bytes.size() >= 2 && bytes[0] == '\xFF' && bytes[1] == '\xFE') {
    return Utf16LeToAnsi(bytes.substr(2));
  }
  if (bytes.size() >= 3 && bytes.substr(0, 3) == "\xEF\xBB\xBF") bytes.remove_prefix(3);
  return Utf8ToAnsi(bytes);
}

int ParseRegText(std::string_view bytes, RegDocument* doc) {
  Parser parser(doc);
  SplitLines(DecodeRegFileBytes(bytes), &parser);
  return parser.Skipped();
}

std::string FormatRegText(const RegDocument& doc) {
  std::string text = std::string(kSignature5) + "\r\n\r\n";
  AppendKey(doc.currentUser, std::string(kCurrentUser), true, &text);
  AppendKey(doc.localMachine, std::string(kLocalMachine), true, &text);
  return AnsiToUtf8(text);
}

}  // namespace qrv::platform
