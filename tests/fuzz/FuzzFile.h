#pragma once
// The fuzz input as a file on disk, so that the targets read it the way the program reads a
// user's file. The file is named after this process and goes again with the object.
#include <unistd.h>

#include <cstddef>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <string>

struct TFuzzFile {
  // The name under which this process keeps `name`.
  static std::string Named(const std::string& name) { return "zarn-fuzz-" + std::to_string(::getpid()) + "-" + name; }

  TFuzzFile(const std::string& name, const void* data, size_t size)
      : Name(Named(name)), Path((std::filesystem::temp_directory_path() / Name).string()) {
    std::ofstream(Path, std::ios::binary).write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  }
  TFuzzFile(const std::string& name, const std::string& bytes) : TFuzzFile(name, bytes.data(), bytes.size()) {}
  ~TFuzzFile() { std::remove(Path.c_str()); }
  TFuzzFile(const TFuzzFile&) = delete;
  TFuzzFile& operator=(const TFuzzFile&) = delete;
  const std::string Name, Path;
};
