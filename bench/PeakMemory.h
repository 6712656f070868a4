#pragma once
#include <sys/resource.h>

// The process's peak resident size in MiB. Run one benchmark per process
// (--benchmark_filter) to read it as that benchmark's peak.
inline double PeakMemoryMiB() {
  struct rusage usage {};
  ::getrusage(RUSAGE_SELF, &usage);
  return static_cast<double>(usage.ru_maxrss) / 1024.0;
}
