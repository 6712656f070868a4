#pragma once
// The fuzz input as a file on disk, so that the targets read it the way the program reads a
// user's file. The files live in a folder of this process, removed when it ends.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>

class TFuzzFiles {
 public:
  TFuzzFiles()
      : Folder(std::filesystem::temp_directory_path() / ("zarn-fuzz-" + std::to_string(::getpid()))) {
    std::filesystem::create_directories(Folder);
  }
  ~TFuzzFiles() {
    std::error_code ignored;
    std::filesystem::remove_all(Folder, ignored);
  }
  TFuzzFiles(const TFuzzFiles&) = delete;
  TFuzzFiles& operator=(const TFuzzFiles&) = delete;

  std::string Path(const std::string& name) const { return (Folder / name).string(); }
  std::string Write(const std::string& name, const void* data, size_t size) const {
    const std::string path = Path(name);
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(static_cast<const char*>(data), static_cast<std::streamsize>(size));
    return path;
  }

 private:
  std::filesystem::path Folder;
};

// One per target: static, so that it is removed when libFuzzer's run ends normally.
inline const TFuzzFiles& FuzzFiles() {
  static const TFuzzFiles files;
  return files;
}
