#pragma once
#include <string>
#include <vector>

// The material files the materials dialog offers from one source, by file name, unsorted.
// A source that cannot be read offers nothing; nothing is reported.

// The ".mat" files (any case) of a folder given as the model's folder part ("\" or "/"
// between folders, empty for the current folder). Folders and hidden files are left out.
std::vector<std::string> FolderMaterials(const std::string& folder);
// The same for the folder's "Mat" subfolder, whatever the case of its name, as the material
// search finds it; several spellings side by side are all searched, so all are offered.
std::vector<std::string> MatFolderMaterials(const std::string& folder);
// The file name of every ".mat" entry of a container, once per entry.
std::vector<std::string> ContainerMaterials(const std::string& container);
