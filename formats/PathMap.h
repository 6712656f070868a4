#pragma once
#include <string>
#include <string_view>

// Model files and material names use "\" between folders and were written where case does
// not matter. Maps such a path onto this file system: "\" becomes "/", and each folder and
// the file name match without regard to case when the exact spelling does not exist.
// Returns the path of the existing regular file, or empty text when there is none.
std::string FindFileNoCase(std::string_view path);

// Everything up to and including the last "\", "/" or ":"; empty when there is none.
std::string_view FolderPart(std::string_view path);
