#pragma once
#include <cstdint>
#include <string>
#include <string_view>

#include "formats/LineCursor.h"

// Reads a whole file; raises EInOutError with the reason when it cannot, or when the file
// is larger than `limit` bytes (then nothing is read).
std::string ReadWholeFile(const std::string& path, uint64_t limit = UINT64_MAX);

// A file opened read-only and read in blocks. Raises EInOutError when it cannot be opened
// or read.
class TFileSource : public TTextSource {
 public:
  explicit TFileSource(const std::string& path);
  ~TFileSource() override;
  TFileSource(const TFileSource&) = delete;
  TFileSource& operator=(const TFileSource&) = delete;
  size_t Read(char* buffer, size_t size) override;
  // What the file held on disk when it was opened: its size, less the holes of a sparse
  // file, which read as NUL bytes and so end any text.
  size_t Stored() const { return StoredSize; }
  // The file's length when it was opened, holes included.
  size_t Size() const { return FileSize; }

 private:
  std::string Path;
  int Fd;
  size_t StoredSize = 0;
  size_t FileSize = 0;
};

// Writes a file so that it appears whole or not at all: the text goes to a temporary file
// beside the target, which replaces the target only on Commit. A writer destroyed without
// Commit removes its temporary file, leaving any old file as it was.
class TAtomicFileWriter {
 public:
  explicit TAtomicFileWriter(const std::string& path);
  ~TAtomicFileWriter();
  TAtomicFileWriter(const TAtomicFileWriter&) = delete;
  TAtomicFileWriter& operator=(const TAtomicFileWriter&) = delete;
  void Write(std::string_view data);
  void Commit();

 private:
  [[noreturn]] void Fail(int error);
  std::string Path, Temp;
  int Fd = -1;
};

void WriteFileAtomically(const std::string& path, std::string_view data);
