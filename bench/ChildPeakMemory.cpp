#include "bench/ChildPeakMemory.h"

#include <malloc.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstring>
#include <fstream>
#include <string>

namespace {

// A field of /proc/self/status in kB.
long StatusKb(const char* field) {
  std::ifstream status("/proc/self/status");
  std::string line;
  const size_t n = std::strlen(field);
  while (std::getline(status, line))
    if (line.compare(0, n, field) == 0) return std::stol(line.substr(n + 1));
  return -1;
}

}  // namespace

double ChildPeakMemoryMiB(const std::function<void()>& work) {
  int fds[2];
  if (::pipe(fds) != 0) return -1;
  const pid_t pid = ::fork();
  if (pid == 0) {
    ::close(fds[0]);
    // Memory the parent freed would otherwise be reused without counting; hand it back and
    // restart the high-water mark here.
    ::malloc_trim(0);
    std::ofstream("/proc/self/clear_refs") << "5";
    const long before = StatusKb("VmRSS:");
    work();
    const long peak = StatusKb("VmHWM:") - before;
    const ssize_t written = ::write(fds[1], &peak, sizeof peak);
    ::_exit(written == sizeof peak ? 0 : 1);
  }
  ::close(fds[1]);
  long peak = -1;
  if (pid < 0 || ::read(fds[0], &peak, sizeof peak) != sizeof peak) peak = -1;
  ::close(fds[0]);
  if (pid > 0) ::waitpid(pid, nullptr, 0);
  return peak < 0 ? -1 : peak / 1024.0;
}
