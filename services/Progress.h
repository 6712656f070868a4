#pragma once
#include <chrono>
#include <cstdint>
#include <string>

class TUserServices;

// Commands, saving and copying over more objects than this show their progress.
inline constexpr uint64_t kProgressObjects = 100000;
// Files of more bytes than this show the progress of their reading.
inline constexpr uint64_t kProgressBytes = 5000000;

// The progress of one piece of long work, shown through the user services when `total` is
// over `threshold` (and there are services): begun here, ended by the destructor however the
// work ends. Step may be called for every item: it reads the clock only every thousandth of
// the total, and passes the count on at most every 20 ms, so that it costs nothing measurable.
class TProgress {
 public:
  TProgress(TUserServices* services, const std::string& text, uint64_t total, uint64_t threshold);
  ~TProgress();
  TProgress(const TProgress&) = delete;
  TProgress& operator=(const TProgress&) = delete;

  void Step(uint64_t done) {
    if (done >= NextCheck) Check(done);
  }

 private:
  void Check(uint64_t done);

  TUserServices* Services = nullptr;  // null while nothing is shown
  uint64_t Total = 0;
  uint64_t Stride = 0;
  uint64_t NextCheck = UINT64_MAX;
  std::chrono::steady_clock::time_point LastReport;
};
