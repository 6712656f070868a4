#pragma once
#include <cstdint>
#include <string>

// A file opened for reading only, so that containers and materials on read-only media or
// with read-only permissions open. Every read is checked against the size the file had
// when it was opened; errors raise EInOutError naming the file.
class TReadOnlyFile {
 public:
  explicit TReadOnlyFile(const std::string& path);
  ~TReadOnlyFile();
  TReadOnlyFile(const TReadOnlyFile&) = delete;
  TReadOnlyFile& operator=(const TReadOnlyFile&) = delete;

  uint64_t Size() const { return FileSize; }
  const std::string& Path() const { return FilePath; }
  // Up to `size` bytes from `offset` into `buffer`; fewer only where the file ends.
  size_t ReadInto(uint64_t offset, char* buffer, size_t size) const;
  // The same for a few bytes, such as a header; the caller bounds `length`.
  std::string ReadAt(uint64_t offset, size_t length) const;

 private:
  std::string FilePath;
  int Fd = -1;
  uint64_t FileSize = 0;
};

// True when a regular file exists at the path.
bool RegularFileExists(const std::string& path);
// Why nothing can be read from the path as a file ("Cannot read file 'p': it is a named pipe,
// not a file"), or an empty text when it names a regular file.
std::string NotARegularFile(const std::string& path);
// A descriptor of the regular file at the path, opened for reading without waiting: a named
// pipe, a device or a folder raises EInOutError at once, saying what it is, where opening a
// pipe would wait for a writer and reading a device might never end.
int OpenRegularFile(const std::string& path);
