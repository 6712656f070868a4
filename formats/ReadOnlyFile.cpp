#include "formats/ReadOnlyFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "model/Errors.h"

namespace {

// What a path that is no regular file names, for the message.
std::string Kind(mode_t mode) {
  if (S_ISDIR(mode)) return "a folder";
  if (S_ISFIFO(mode)) return "a named pipe";
  if (S_ISCHR(mode) || S_ISBLK(mode)) return "a device";
  if (S_ISSOCK(mode)) return "a socket";
  return "no regular file";
}

std::string CannotRead(const std::string& path, mode_t mode) {
  return "Cannot read file '" + path + "': it is " + Kind(mode) + ", not a file";
}

std::string CannotOpen(const std::string& path, int error) {
  return "Cannot open file '" + path + "': " + std::strerror(error);
}

}  // namespace

int OpenRegularFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) throw EInOutError(CannotOpen(path, errno));
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    const int error = errno;
    ::close(fd);
    throw EInOutError(CannotOpen(path, error));
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    throw EInOutError(CannotRead(path, st.st_mode));
  }
  return fd;
}

TReadOnlyFile::TReadOnlyFile(const std::string& path) : FilePath(path), Fd(OpenRegularFile(path)) {
  struct stat st {};
  if (::fstat(Fd, &st) != 0) {
    const int error = errno;
    ::close(Fd);
    throw EInOutError(CannotOpen(path, error));
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

std::string NotARegularFile(const std::string& path) {
  struct stat st {};
  if (::stat(path.c_str(), &st) != 0) return CannotOpen(path, errno);
  return S_ISREG(st.st_mode) ? std::string() : CannotRead(path, st.st_mode);
}
