#pragma once
#include <string>
#include <utility>

// What reading a file into the model came to: success, or the message the user was shown.
struct TReadResult {
  bool Ok = true;
  std::string Message;

  static TReadResult Failure(std::string message) { return {false, std::move(message)}; }
  explicit operator bool() const { return Ok; }
};
