#include "cli/CliCommands.h"
#include "formats/GobWriter.h"
#include "formats/ReadOnlyFile.h"
#include "model/Errors.h"
#include "model/Text.h"

namespace {

const char* const kUsage = "usage: zarn-cli pack OUT.gob [--as NAME] FILE... | pack --update CONTAINER [--as NAME] FILE...";

// The files to pack, each named by its kind or by the "--as NAME" before it; false, after one
// line on standard error, for a wrong command line.
bool TakeEntries(const TArgs& args, std::vector<std::pair<std::string, std::string>>& entries) {
  std::string as;
  for (size_t i = 0; i < args.size(); ++i) {
    if (args[i] == "--as") {
      if (!as.empty() || i + 1 >= args.size()) {
        Tell("--as takes a NAME and is followed by the FILE it names");
        return false;
      }
      as = args[++i];
      continue;
    }
    if (!NoOptionsLeft({args[i]}, "pack")) return false;
    std::string name = as.empty() ? GameEntryName(args[i]) : GivenEntryName(as);
    if (!as.empty() && name.empty()) {
      std::fprintf(stderr, "zarn-cli: --as %s names no entry inside the container: a name has no \"..\" part, no "
                           "empty part, no \":\" and no leading \"/\" or \"\\\"\n", as.c_str());
      return false;
    }
    if (name.empty()) {
      Tell("the game keeps no file of the kind of '%s' in a folder of its own; name its entry with --as NAME",
           args[i].c_str());
      return false;
    }
    entries.emplace_back(std::move(name), args[i]);
    as.clear();
  }
  if (!as.empty()) {
    Tell("--as takes a NAME and is followed by the FILE it names");
    return false;
  }
  return true;
}

}  // namespace

int RunPack(const TArgs& arguments) {
  TArgs args = arguments;
  const bool update = TakeFlag(args, "--update");
  std::vector<std::pair<std::string, std::string>> files;
  if (args.empty() || args[0].starts_with("-")) {
    if (!args.empty() && !NoOptionsLeft({args[0]}, "pack")) return 2;
    Tell("%s", kUsage);
    return 2;
  }
  const std::string container = args[0];
  if (!TakeEntries(TArgs(args.begin() + 1, args.end()), files)) return 2;
  if (files.empty()) {
    Tell("%s", kUsage);
    return 2;
  }
  for (size_t i = 0; i < files.size(); ++i)
    for (size_t j = 0; j < i; ++j)
      if (SameText(files[i].first, files[j].first)) {
        Tell("two files for the entry '%s'", files[i].first.c_str());
        return 2;
      }
  try {
    std::vector<TGobSourceEntry> changes;
    for (const auto& [name, path] : files) {
      if (!RegularFileExists(path)) {
        Tell("File '%s' not found", path.c_str());
        return 1;
      }
      changes.push_back(WholeFileEntry(name, path));
    }
    std::vector<TGobSourceEntry> kept;
    if (update) {
      // A container that does not read is left alone: rewriting it could lose what it holds.
      TGob gob;
      if (!RegularFileExists(container)) {
        Tell("File '%s' not found", container.c_str());
        return 1;
      }
      if (!gob.LoadFromFile(container)) {
        Tell("'%s' is not a GOB/GOO container; it was left as it was", container.c_str());
        return 1;
      }
      kept = KeptEntries(gob);
    }
    WriteGob(container, MergedEntries(std::move(kept), changes));
  } catch (const EZarnError& e) {
    Tell("%s", e.what());
    return 1;
  }
  return 0;
}
