#pragma once
#include <string>
#include <string_view>

// Reads a whole file; raises EInOutError with the reason when it cannot.
std::string ReadWholeFile(const std::string& path);
// Writes the text to a temporary file beside `path` and renames it over `path` only once
// everything is on disk, so a failed save never destroys the file it replaces. Raises
// EInOutError when the file cannot be written.
void WriteFileAtomically(const std::string& path, std::string_view data);
