#include <algorithm>

#include "cli/CliCommands.h"

bool TakeFlag(TArgs& args, const std::string& flag) { return std::erase(args, flag) > 0; }

bool NoOptionsLeft(const TArgs& args, const char* command) {
  // A lone "-" is no option; a file so named is still a file.
  const auto option =
      std::find_if(args.begin(), args.end(), [](const std::string& a) { return a.size() > 1 && a[0] == '-'; });
  if (option == args.end()) return true;
  Tell("unknown option '%s'%s%s (zarn-cli --help lists the options)", option->c_str(), *command ? " of " : "",
       command);
  return false;
}
