#pragma once
// Text handed out a few bytes at a time, as a pipe or a slow drive may.
#include <algorithm>
#include <functional>
#include <string_view>

#include "formats/LineCursor.h"

class TPieceSource : public TTextSource {
 public:
  // The n-th read hands out at most `piece(n)` bytes, n counted from 0.
  TPieceSource(std::string_view text, std::function<size_t(size_t)> piece) : Rest(text), Piece(std::move(piece)) {}
  size_t Read(char* buffer, size_t size) override {
    if (Rest.empty()) return 0;
    const size_t n = std::min({size, Piece(Reads++), Rest.size()});
    Rest.copy(buffer, n);
    Rest.remove_prefix(n);
    return n;
  }

 private:
  std::string_view Rest;
  std::function<size_t(size_t)> Piece;
  size_t Reads = 0;
};
