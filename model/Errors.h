#pragma once
#include <stdexcept>
#include <string>

// Every error the program raises carries a message that a user can read as it stands.
class EZarnError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// An index outside a list.
class EListError : public EZarnError {
 public:
  using EZarnError::EZarnError;
};

// A text that is not a number.
class EConvertError : public EZarnError {
 public:
  using EZarnError::EZarnError;
};

// A file whose content the reader will not take.
class EParserError : public EZarnError {
 public:
  using EZarnError::EZarnError;
};

// A file that cannot be opened, read or written.
class EInOutError : public EZarnError {
 public:
  using EZarnError::EZarnError;
};

// Replaces the first "%d" of a list message by the index.
std::string FormatIndexMessage(const char* message, long long index);
[[noreturn]] void RaiseListError(const char* message, long long index);
