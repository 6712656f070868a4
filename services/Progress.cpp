#include "services/Progress.h"

#include <algorithm>

#include "services/UserServices.h"

namespace {
constexpr std::chrono::milliseconds kReportEvery{20};
}

TProgress::TProgress(TUserServices* services, const std::string& text, uint64_t total, uint64_t threshold) {
  if (!services || total <= threshold) return;
  services->BeginProgress(text, total);
  Services = services;
  Total = total;
  Stride = std::max<uint64_t>(total / 1000, 1);
  NextCheck = Stride;
  LastReport = std::chrono::steady_clock::now();
}

TProgress::~TProgress() {
  if (Services) Services->EndProgress();
}

void TProgress::Check(uint64_t done) {
  NextCheck = done + Stride;
  const auto now = std::chrono::steady_clock::now();
  if (now - LastReport < kReportEvery) return;
  LastReport = now;
  Services->StepProgress(std::min(done, Total));
}
