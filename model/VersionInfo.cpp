#include "model/VersionInfo.h"

#include <sys/stat.h>
#include <unistd.h>

#include <ctime>
#include <filesystem>

#include "BuildInfo.h"

std::string GetModuleName() {
  std::error_code error;
  const auto path = std::filesystem::read_symlink("/proc/self/exe", error);
  return error ? std::string() : path.string();
}

std::string GetVersionInfoValue(const std::string& path, const std::string& name) {
  // Only the running program carries our record.
  if (path.empty() || path != GetModuleName()) return "N/A";
  if (name == "ProductName") return ZARN_BUILD_PRODUCT_NAME;
  if (name == "FileVersion") return GetVersionString(15);
  return "";
}

std::string GetProductName() { return GetVersionInfoValue(GetModuleName(), "ProductName"); }

std::string FormatVersion(int major, int minor, int release, int build, int mask) {
  std::string s;
  if (mask & 1) s += std::to_string(major);
  if (mask & 2) s += std::string(mask & 1 ? "." : "") + std::to_string(minor);
  if (mask & 4) s += std::string(mask & 2 ? "." : "") + std::to_string(release);
  if (mask & 8) s += std::string(mask & 4 ? "." : "") + std::to_string(build);
  return s;
}

std::string GetVersionString(int partMask) {
  return FormatVersion(ZARN_BUILD_VERSION_MAJOR, ZARN_BUILD_VERSION_MINOR, ZARN_BUILD_VERSION_RELEASE,
                       ZARN_BUILD_VERSION_BUILD, partMask);
}

std::string GetBuildDate() {
  struct stat st {};
  if (::stat(GetModuleName().c_str(), &st) != 0) return "";
  std::tm local{};
  localtime_r(&st.st_mtime, &local);
  char text[128];
  std::strftime(text, sizeof text, "%x %X", &local);
  return text;
}
