#include "formats/ReadOnlyFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "model/Errors.h"

TReadOnlyFile::TReadOnlyFile(const std::string& path) : FilePath(path) {
  Fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (Fd < 0) throw EInOutError("Cannot open file '" + path + "': " + std::strerror(errno));
  struct stat st {};
  if (::fstat(Fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    const int error = S_ISDIR(st.st_mode) ? EISDIR : (errno ? errno : EINVAL);
    ::close(Fd);
    throw EInOutError("Cannot read file '" + path + "': " + std::strerror(error));
  }
  FileSize = static_cast<uint64_t>(st.st_size);
}

TReadOnlyFile::~TReadOnlyFile() { ::close(Fd); }

size_t TReadOnlyFile::ReadInto(uint64_t offset, char* buffer, size_t size) const {
  if (offset >= FileSize) return 0;
  if (size > FileSize - offset) size = static_cast<size_t>(FileSize - offset);
  size_t done = 0;
  while (done < size) {
    const ssize_t n = ::pread(Fd, buffer + done, size - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw EInOutError("Cannot read file '" + FilePath + "': " + std::strerror(errno));
    if (n == 0) break;  // the file shrank since it was opened
    done += static_cast<size_t>(n);
  }
  return done;
}

std::string TReadOnlyFile::ReadAt(uint64_t offset, size_t length) const {
  std::string data(offset < FileSize ? static_cast<size_t>(std::min<uint64_t>(length, FileSize - offset)) : 0, '\0');
  data.resize(ReadInto(offset, data.data(), data.size()));
  return data;
}

bool RegularFileExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}
