#pragma once
#include <functional>

// Runs `work` once in a forked child and returns how far its resident memory rose above
// where it stood before (MiB), so that each case's peak is measured on its own within one
// benchmark process.
double ChildPeakMemoryMiB(const std::function<void()>& work);
