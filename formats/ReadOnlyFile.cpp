#include "formats/ReadOnlyFile.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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

std::string TReadOnlyFile::ReadAt(uint64_t offset, uint64_t length) const {
  if (offset >= FileSize) return {};
  if (length > FileSize - offset) length = FileSize - offset;
  std::string data(static_cast<size_t>(length), '\0');
  size_t done = 0;
  while (done < data.size()) {
    const ssize_t n = ::pread(Fd, data.data() + done, data.size() - done, static_cast<off_t>(offset + done));
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) throw EInOutError("Cannot read file '" + FilePath + "': " + std::strerror(errno));
    if (n == 0) break;  // the file shrank since it was opened
    done += static_cast<size_t>(n);
  }
  data.resize(done);
  return data;
}

bool RegularFileExists(const std::string& path) {
  struct stat st {};
  return !path.empty() && ::stat(path.c_str(), &st) == 0 && S_ISREG(st.st_mode);
}
