#include "cli/JsonWriter.h"

#include <charconv>
#include <cmath>

namespace {

// The length of the well-formed UTF-8 sequence at text[at], or 0 when there is none.
size_t Utf8Length(std::string_view text, size_t at) {
  const auto byte = [&](size_t i) { return static_cast<unsigned char>(text[i]); };
  const unsigned char lead = byte(at);
  const size_t length = lead >= 0xF0 && lead <= 0xF4 ? 4 : lead >= 0xE0 ? 3 : lead >= 0xC2 && lead < 0xE0 ? 2 : 0;
  if (length == 0 || lead > 0xF4 || at + length > text.size()) return 0;
  for (size_t i = 1; i < length; ++i)
    if ((byte(at + i) & 0xC0) != 0x80) return 0;
  const unsigned char second = byte(at + 1);
  // Overlong forms, UTF-16 surrogates and code points beyond U+10FFFF.
  if ((lead == 0xE0 && second < 0xA0) || (lead == 0xED && second >= 0xA0) || (lead == 0xF0 && second < 0x90) ||
      (lead == 0xF4 && second >= 0x90))
    return 0;
  return length;
}

}  // namespace

void TJsonWriter::Key(std::string_view name) {
  BeforeValue();
  Quoted(name);
  Out += ':';
  AfterKey = true;
}

void TJsonWriter::String(std::string_view text) {
  BeforeValue();
  Quoted(text);
}

void TJsonWriter::Number(double value) {
  if (!std::isfinite(value)) return Null();
  BeforeValue();
  char buffer[32];
  Out.append(buffer, std::to_chars(buffer, buffer + sizeof buffer, value).ptr);
}

void TJsonWriter::Integer(long long value) {
  BeforeValue();
  Out += std::to_string(value);
}

void TJsonWriter::Bool(bool value) {
  BeforeValue();
  Out += value ? "true" : "false";
}

void TJsonWriter::Null() {
  BeforeValue();
  Out += "null";
}

void TJsonWriter::Open(char bracket) {
  BeforeValue();
  Out += bracket;
  First.push_back(true);
}

void TJsonWriter::Close(char bracket) {
  First.pop_back();
  Out += bracket;
}

void TJsonWriter::BeforeValue() {
  if (AfterKey) {
    AfterKey = false;
    return;
  }
  if (!First.empty() && !First.back()) Out += ',';
  if (!First.empty()) First.back() = false;
}

void TJsonWriter::Quoted(std::string_view text) {
  static constexpr char kHex[] = "0123456789abcdef";
  const auto escaped = [this](unsigned char c) { Out += {'\\', 'u', '0', '0', kHex[c >> 4], kHex[c & 15]}; };
  Out += '"';
  for (size_t i = 0; i < text.size(); ++i) {
    const auto c = static_cast<unsigned char>(text[i]);
    if (c == '"' || c == '\\') {
      Out += '\\';
      Out += static_cast<char>(c);
    } else if (c < 0x20 || c == 0x7F) {
      escaped(c);
    } else if (c < 0x80) {
      Out += static_cast<char>(c);
    } else if (const size_t length = Utf8Length(text, i)) {
      Out.append(text.substr(i, length));
      i += length - 1;
    } else {
      escaped(c);
    }
  }
  Out += '"';
}
