#include "formats/FileIO.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include "formats/ReadOnlyFile.h"
#include "model/Errors.h"

namespace {

[[noreturn]] void Fail(const std::string& what, const std::string& path, int error) {
  throw EInOutError(what + " '" + path + "': " + std::strerror(error));
}

size_t ReadSome(int fd, const std::string& path, char* buffer, size_t size) {
  for (;;) {
    const ssize_t n = ::read(fd, buffer, size);
    if (n >= 0) return static_cast<size_t>(n);
    if (errno != EINTR) Fail("Cannot read file", path, errno);
  }
}

}  // namespace

std::string ReadWholeFile(const std::string& path, uint64_t limit) {
  TFileSource source(path);
  const auto tooLarge = [&] {
    return EInOutError("Cannot read file '" + path + "': it is too large (more than " + std::to_string(limit) + " bytes)");
  };
  if (source.Size() > limit) throw tooLarge();
  std::string data;
  data.reserve(source.Stored());
  char block[1 << 16];
  while (const size_t n = source.Read(block, sizeof block)) {
    if (n > limit - data.size()) throw tooLarge();  // it grew while it was read
    data.append(block, n);
  }
  return data;
}

TFileSource::TFileSource(const std::string& path) : Path(path), Fd(OpenRegularFile(path)) {
  struct stat st {};
  if (::fstat(Fd, &st) == 0) {
    FileSize = static_cast<size_t>(st.st_size);
    StoredSize = static_cast<size_t>(std::min<off_t>(st.st_size, off_t{st.st_blocks} * 512));
  }
}

TFileSource::~TFileSource() { ::close(Fd); }

size_t TFileSource::Read(char* buffer, size_t size) { return ReadSome(Fd, Path, buffer, size); }

TAtomicFileWriter::TAtomicFileWriter(const std::string& path) : Path(path), Temp(path + ".XXXXXX") {
  Fd = ::mkstemp(Temp.data());
  if (Fd < 0) ::Fail("Cannot create file", Path, errno);
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
  ::fchmod(Fd, mode);
}

TAtomicFileWriter::~TAtomicFileWriter() {
  if (Fd >= 0) {
    ::close(Fd);
    ::unlink(Temp.c_str());
  }
}

void TAtomicFileWriter::Fail(int error) {
  ::close(Fd);
  Fd = -1;
  ::unlink(Temp.c_str());
  ::Fail("Cannot write file", Path, error);
}

void TAtomicFileWriter::Write(std::string_view data) {
  while (!data.empty()) {
    const ssize_t n = ::write(Fd, data.data(), data.size());
    if (n < 0 && errno == EINTR) continue;
    if (n < 0) Fail(errno);
    data.remove_prefix(static_cast<size_t>(n));
  }
}

void TAtomicFileWriter::Commit() {
  if (::fsync(Fd) != 0) Fail(errno);
  const int closed = ::close(Fd);
  const int error = errno;
  Fd = -1;
  if (closed != 0 || ::rename(Temp.c_str(), Path.c_str()) != 0) {
    const int failure = closed != 0 ? error : errno;
    ::unlink(Temp.c_str());
    ::Fail("Cannot write file", Path, failure);
  }
}

void WriteFileAtomically(const std::string& path, std::string_view data) {
  TAtomicFileWriter file(path);
  file.Write(data);
  file.Commit();
}
