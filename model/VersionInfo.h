#pragma once
#include <string>

// The program's version record, fixed at build time.
constexpr int VersionParts = 7;  // major, minor and release shown; build not shown

std::string GetModuleName();
// "N/A" for a file without a version record; empty when the record lacks the value.
std::string GetVersionInfoValue(const std::string& path, const std::string& name);
std::string GetProductName();
std::string GetVersionString(int partMask);
// Formats a four-part version limited by the part mask ("0.7.7" for 0.7.7.0 and mask 7).
std::string FormatVersion(int major, int minor, int release, int build, int partMask);
std::string GetBuildDate();
