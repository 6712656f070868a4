#include "app/FileTypeRegistration.h"

#include <filesystem>
#include <sstream>
#include <string_view>

#include "formats/FileIO.h"
#include "model/Errors.h"

namespace fs = std::filesystem;

namespace {

void Write(const fs::path& path, const std::string& text) {
  std::error_code ec;
  fs::create_directories(path.parent_path(), ec);
  if (ec) throw EInOutError("Cannot create folder '" + path.parent_path().string() + "': " + ec.message());
  WriteFileAtomically(path.string(), text);
}

// Desktop entries quote an argument that holds a space or a reserved character.
std::string DesktopExecArgument(const std::string& path) {
  if (path.find_first_of(" \t\"'\\`$<>~|&;*?#()") == std::string::npos) return path;
  std::string quoted = "\"";
  for (char c : path) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += "\\\\";
    quoted += c;
  }
  return quoted + "\"";
}

// Sets `key=value` in the [Default Applications] group of a mimeapps.list, keeping every other
// line as it was.
std::string WithDefaultHandler(const std::string& list, const std::string& key, const std::string& value) {
  std::istringstream in(list);
  std::string line, out;
  bool inGroup = false, done = false, sawGroup = false;
  while (std::getline(in, line)) {
    if (!line.empty() && line.front() == '[') {
      if (inGroup && !done) {
        out += key + "=" + value + "\n";
        done = true;
      }
      inGroup = line == "[Default Applications]";
      sawGroup = sawGroup || inGroup;
    } else if (inGroup && line.rfind(key + "=", 0) == 0) {
      if (!done) out += key + "=" + value + "\n";
      done = true;
      continue;
    }
    out += line + "\n";
  }
  if (!done) {
    if (!sawGroup) out += "[Default Applications]\n";
    out += key + "=" + value + "\n";
  }
  return out;
}

}  // namespace

void RegisterFileType(const std::string& programPath, const std::string& dataHome, const std::string& configHome) {
  const std::string mime = ModelMimeType();
  Write(fs::path(dataHome) / "mime" / "packages" / "ZARNModel.xml",
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n"
        "  <mime-type type=\"" + mime + "\">\n"
        "    <comment>JK Model file</comment>\n"
        "    <glob pattern=\"*.3do\"/>\n"
        "  </mime-type>\n"
        "</mime-info>\n");
  Write(fs::path(dataHome) / "applications" / "ZARNModel.desktop",
        "[Desktop Entry]\n"
        "Type=Application\n"
        "Name=ZARN\n"
        "Comment=JK Model file\n"
        "Exec=" + DesktopExecArgument(programPath) + " %f\n"
        "MimeType=" + mime + ";\n"
        "NoDisplay=true\n");
  const fs::path list = fs::path(configHome) / "mimeapps.list";
  std::string old;
  if (fs::exists(list)) old = ReadWholeFile(list.string());
  Write(list, WithDefaultHandler(old, mime, "ZARNModel.desktop"));
}
