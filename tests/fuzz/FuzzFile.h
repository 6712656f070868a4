#pragma once
// The fuzz input as a file on disk, so that the targets read it the way the program reads a
// user's file: `name` in a folder of this process, which goes when the run ends.
#include <unistd.h>

#include <cstddef>
#include <filesystem>
#include <fstream>
#include <string>

inline std::string WriteFuzzFile(const std::string& name, const void* data, size_t size) {
  static const struct TFolder {
    TFolder() { std::filesystem::create_directories(Path); }
    ~TFolder() {
      std::error_code ignored;
      std::filesystem::remove_all(Path, ignored);
    }
    std::filesystem::path Path = std::filesystem::temp_directory_path() / ("zarn-fuzz-" + std::to_string(::getpid()));
  } folder;
  const std::string path = (folder.Path / name).string();
  std::ofstream(path, std::ios::binary | std::ios::trunc).write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
  return path;
}
