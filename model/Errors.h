#pragma once
#include <stdexcept>
#include <string>

// Every error the program raises carries a message and the name of its kind, which the 3DO
// reader's parse error shows.
class EZarnError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
  virtual const char* TypeName() const { return "Exception"; }
};

// An index outside a list.
class EListError : public EZarnError {
 public:
  using EZarnError::EZarnError;
  const char* TypeName() const override { return "EListError"; }
};

// A text that is not a number.
class EConvertError : public EZarnError {
 public:
  using EZarnError::EZarnError;
  const char* TypeName() const override { return "EConvertError"; }
};

// A file whose content the reader will not take.
class EParserError : public EZarnError {
 public:
  using EZarnError::EZarnError;
  const char* TypeName() const override { return "EParserError"; }
};

// A file that cannot be opened, read or written.
class EInOutError : public EZarnError {
 public:
  using EZarnError::EZarnError;
  const char* TypeName() const override { return "EInOutError"; }
};

// Replaces the first "%d" of a list message by the index.
std::string FormatIndexMessage(const char* message, long long index);
[[noreturn]] void RaiseListError(const char* message, long long index);
