#pragma once
#include <optional>
#include <string>
#include <vector>

#include "document/CommandResult.h"
#include "formats/Cmp.h"
#include "formats/FileKinds.h"
#include "formats/Gob.h"
#include "formats/MatWriter.h"
#include "model/KeyAnimation.h"
#include "model/Puppet.h"
#include "formats/ColormapPlaces.h"
#include "document/MaterialLookup.h"
#include "document/Core.h"
#include "cli/CliServices.h"
#include "formats/ObjImportOptions.h"

// One run of the tool: a core answered by headless services that print to standard error.
struct TCliSession {
  TCliSession() : Core(Services) { InstallMaterialLoader(Core); }
  TCliServices Services;
  TCore Core;
  // Reads a model file into the core's model by its extension; false, with the reason on
  // standard error, when the file does not read cleanly.
  bool Open(const std::string& path);
  // Reads the model stored under `entry` in a container.
  bool OpenEntry(const std::string& container, const std::string& entry);
  // Saves as the window does, the game check's breaches going to standard error as warnings.
  bool Save(const std::string& path);
  // Prints what the user was not yet told of the command's end; true when it succeeded.
  static bool Ended(const TCommandResult& result);
  TObjImportOptions ObjOptions;  // how Open imports an .obj file
};

// Whether the file is a .gob or .goo container by its name, as the commands that take
// either a model file or CONTAINER ENTRY tell them apart.
bool IsContainerName(const std::string& path);

// Finds an entry of a container by its full name ("\" or "/" between folders) or, failing
// that, by its file name; false, with the reason on standard error, when there is none.
bool FindContainerEntry(const std::string& container, const std::string& entry, TGobItem& item);

using TArgs = std::vector<std::string>;
// Takes every `flag` out of the arguments; true when there was one.
bool TakeFlag(TArgs& args, const std::string& flag);
// False, after one line on standard error, when an argument left looks like an option;
// `command` (may be empty) is named in that line.
bool NoOptionsLeft(const TArgs& args, const char* command);

// The commands and options, to standard output.
void PrintUsage();
int RunHelp(const TArgs& args);
int RunVersion(const TArgs& args);

// Takes `--up y|z`, `--scale F|fit` and `--materials` out of the arguments, for an input
// (the first argument left) that is an .obj file; false, with one line on standard error,
// for a bad value or options given for anything else.
bool TakeObjOptions(TArgs& args, TObjImportOptions& options);
// Takes `--cmp FILE|CONTAINER:ENTRY` out of the arguments and reads that colormap; 0 when
// there was none or it read, else the exit status, after one line on standard error.
int TakeCmpOption(TArgs& args, std::optional<TColormap>& colormap);
// Takes what a material is made with, anywhere among the files, out of the arguments:
// `--cmp` (its palette; the built-in one without), `--depth 8|16`, `--transparent`,
// `--dither` and `--mipmaps N`; 0 when they read, else the exit status, after one line on
// standard error.
int TakeMatOptions(TArgs& args, TMatOptions& options);
// Takes `--key FILE.key|CONTAINER:ENTRY` and `--frame F` (0 by default; only with --key) out of
// the arguments and reads that animation; 0 when there was none or it read, else the exit
// status, after one line on standard error.
int TakeKeyOptions(TArgs& args, std::optional<TKeyAnimation>& key, double& frame);
// Takes every `--key FILE.key|CONTAINER:ENTRY` out of the arguments, as a glTF export holds
// them, each named after its file without ".key"; the status as TakeKeyOptions gives it.
int TakeKeyList(TArgs& args, std::vector<TNamedKey>& keys);
// Takes `--pup FILE.pup|CONTAINER:ENTRY` out of the arguments and reads that puppet; 0 when
// there was none or it read, else the exit status, after one line on standard error.
int TakePuppetOption(TArgs& args, std::optional<TPuppet>& pup, TColormapPlace& place);
// True when the arguments name a KEY animation (FILE.key, or CONTAINER ENTRY.key).
bool IsKeyArgument(const TArgs& args);
// The header, markers and nodes of an animation, as text or as one JSON object.
int RunKeyInfo(const TArgs& args, bool json);
// The same for a puppet (FILE.pup, or CONTAINER ENTRY.pup): its modes, moves and joints.
bool IsPuppetArgument(const TArgs& args);
int RunPuppetInfo(const TArgs& args, bool json);
int RunInfo(const TArgs& args);
int RunConvert(const TArgs& args);
// convert of a glTF file, which writes animations and materials beside the model.
bool IsGltfConvert(const TArgs& args);
int RunGltfConvert(const TArgs& args);
int RunList(const TArgs& args);
int RunMat(const TArgs& args);
int RunEdit(const TArgs& args);
// Exit status 3 when the model breaks what the game loads.
int RunCheck(const TArgs& args);
int RunExport(const TArgs& args);
// A picture of the model drawn offscreen as the window draws it.
int RunRender(const TArgs& args);
// Writes a container of files, or replaces and adds entries of one (--update).
int RunPack(const TArgs& args);
// Makes a material of pictures.
int RunTomat(const TArgs& args);
