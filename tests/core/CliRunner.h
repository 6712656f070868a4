#pragma once
#include <sys/wait.h>

#include <cstdio>
#include <string>
#include <vector>

// One run of zarn-cli: its exit status and what it wrote to standard output and error.
struct TCliRun {
  int Status = -1;
  std::string Out;
};

// Runs zarn-cli with the arguments, each quoted, after the shell commands in `setup` (such
// as a ulimit).
inline TCliRun RunCli(const std::vector<std::string>& args, const std::string& setup = "") {
  std::string command = setup + "'" + std::string(ZARN_CLI_PATH) + "'";
  for (const std::string& a : args) command += " '" + a + "'";
  command += " 2>&1";
  TCliRun run;
  if (std::FILE* pipe = ::popen(command.c_str(), "r")) {
    char buffer[4096];
    size_t n;
    while ((n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0) run.Out.append(buffer, n);
    const int status = ::pclose(pipe);
    run.Status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }
  return run;
}
