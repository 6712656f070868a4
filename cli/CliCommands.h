#pragma once
#include <cstdio>
#include <string>
#include <vector>

#include "formats/Gob.h"
#include "formats/MaterialLoader.h"
#include "model/Core.h"
#include "model/HeadlessServices.h"
#include "model/ObjImportOptions.h"

// One run of the tool: a core answered by headless services that print to standard error.
struct TCliSession {
  TCliSession() : Services(stderr), Core(Services) { InstallMaterialLoader(Core); }
  THeadlessServices Services;
  TCore Core;
  // Reads a model file into the core's model by its extension; false, with the reason on
  // standard error, when the file does not read cleanly.
  bool Open(const std::string& path);
  // Reads the model stored under `entry` in a container.
  bool OpenEntry(const std::string& container, const std::string& entry);
  bool Save(const std::string& path);
  TObjImportOptions ObjOptions;  // how Open imports an .obj file
};

// Finds an entry of a container by its full name ("\" or "/" between folders) or, failing
// that, by its file name; false, with the reason on standard error, when there is none.
bool FindContainerEntry(const std::string& container, const std::string& entry, TGobItem& item);

using TArgs = std::vector<std::string>;
// Takes every `flag` out of the arguments; true when there was one.
bool TakeFlag(TArgs& args, const std::string& flag);
// False, after one line on standard error, when an argument left looks like an option;
// `command` (may be empty) is named in that line.
bool NoOptionsLeft(const TArgs& args, const char* command);

// The commands and options, to standard output for --help and standard error after a wrong
// command line.
void PrintUsage(std::FILE* out);
int RunHelp(const TArgs& args);
int RunVersion(const TArgs& args);

// Takes `--up y|z`, `--scale F|fit` and `--materials` out of the arguments, for an input
// (the first argument left) that is an .obj file; false, with one line on standard error,
// for a bad value or options given for anything else.
bool TakeObjOptions(TArgs& args, TObjImportOptions& options);
int RunInfo(const TArgs& args);
int RunConvert(const TArgs& args);
int RunList(const TArgs& args);
int RunMat(const TArgs& args);
int RunEdit(const TArgs& args);
// Exit status 3 when the model breaks what the game loads.
int RunCheck(const TArgs& args);
int RunExport(const TArgs& args);
// Writes a container of files, or replaces and adds entries of one (--update).
int RunPack(const TArgs& args);
// Makes a material of pictures.
int RunTomat(const TArgs& args);
