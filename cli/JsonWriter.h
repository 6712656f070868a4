#pragma once
#include <string>
#include <string_view>
#include <vector>

// Builds JSON text a value at a time, placing the commas and colons itself. Strings go out as
// UTF-8: control characters, quotes and backslashes escaped, and a byte that is not part of a
// well-formed UTF-8 sequence (the game's names are single-byte text) taken as Latin-1 and
// escaped. Numbers that are not finite become null, which JSON can hold.
class TJsonWriter {
 public:
  void BeginObject() { Open('{'); }
  void EndObject() { Close('}'); }
  void BeginArray() { Open('['); }
  void EndArray() { Close(']'); }
  // The name of the next value inside an object.
  void Key(std::string_view name);
  void String(std::string_view text);
  void Number(double value);
  void Integer(long long value);
  void Bool(bool value);
  void Null();

  const std::string& Text() const { return Out; }

 private:
  void Open(char bracket);
  void Close(char bracket);
  void BeforeValue();
  void Quoted(std::string_view text);

  std::string Out;
  std::vector<bool> First;  // per open bracket: no member written yet
  bool AfterKey = false;
};
