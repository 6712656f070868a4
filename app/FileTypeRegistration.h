#pragma once
#include <string>

// Makes the desktop open .3do files with this program: a shared-mime-info type for "*.3do"
// named after "ZARNModel", a .desktop entry "ZARNModel" whose command is the program path and
// the file, and the per-user default-handler line. `dataHome` and `configHome` are the XDG
// base folders. Raises EInOutError when a file cannot be written.
void RegisterFileType(const std::string& programPath, const std::string& dataHome, const std::string& configHome);

// The shared-mime-info type of .3do files.
inline const char* ModelMimeType() { return "application/x-zarnmodel"; }
