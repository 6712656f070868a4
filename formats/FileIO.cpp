#include "formats/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

#include "model/Errors.h"

namespace {
[[noreturn]] void Fail(const std::string& what, const std::string& path, int error) {
  throw EInOutError(what + " '" + path + "': " + std::strerror(error));
}
}  // namespace

std::string ReadWholeFile(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) Fail("Cannot open file", path, errno);
  struct stat st {};
  if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
    const int error = errno ? errno : EISDIR;
    ::close(fd);
    Fail("Cannot read file", path, S_ISDIR(st.st_mode) ? EISDIR : error);
  }
  std::string data;
  data.resize(static_cast<size_t>(st.st_size));
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::read(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      const int error = errno;
      ::close(fd);
      Fail("Cannot read file", path, error);
    }
    if (n == 0) break;  // the file shrank while it was read
    done += static_cast<size_t>(n);
  }
  data.resize(done);
  ::close(fd);
  return data;
}

void WriteFileAtomically(const std::string& path, std::string_view data) {
  std::string temp = path + ".XXXXXX";
  const int fd = ::mkstemp(temp.data());
  if (fd < 0) Fail("Cannot create file", path, errno);
  // Keep the permissions of the file being replaced; a new file gets the usual ones.
  struct stat st {};
  mode_t mode;
  if (::stat(path.c_str(), &st) == 0) {
    mode = st.st_mode & 07777;
  } else {
    const mode_t mask = ::umask(0);
    ::umask(mask);
    mode = 0666 & ~mask;
  }
  ::fchmod(fd, mode);
  size_t done = 0;
  int error = 0;
  while (done < data.size()) {
    const ssize_t n = ::write(fd, data.data() + done, data.size() - done);
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) {
      error = errno;
      break;
    }
    done += static_cast<size_t>(n);
  }
  if (!error && ::fsync(fd) != 0) error = errno;
  if (::close(fd) != 0 && !error) error = errno;
  if (!error && ::rename(temp.c_str(), path.c_str()) != 0) error = errno;
  if (error) {
    ::unlink(temp.c_str());
    Fail("Cannot write file", path, error);
  }
}
