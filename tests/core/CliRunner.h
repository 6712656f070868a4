#pragma once
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

// One run of zarn-cli: its exit status and what it wrote to standard output and error.
struct TCliRun {
  int Status = -1;
  std::string Out;
  std::string Err;  // only when standard error was kept apart
};

// Runs a shell command line, collecting its standard output.
inline TCliRun RunShell(const std::string& command) {
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

// zarn-cli with the arguments, each quoted, after the shell commands in `setup` (such as a
// ulimit).
inline std::string CliCommandLine(const std::vector<std::string>& args, const std::string& setup = "") {
  std::string command = setup + "'" + std::string(ZARN_CLI_PATH) + "'";
  for (const std::string& a : args) command += " '" + a + "'";
  return command;
}

// Both streams go to Out, in the order written.
inline TCliRun RunCli(const std::vector<std::string>& args, const std::string& setup = "") {
  return RunShell(CliCommandLine(args, setup) + " 2>&1");
}

// Standard output to Out, standard error to Err.
inline TCliRun RunCliApart(const std::vector<std::string>& args) {
  char path[] = "/tmp/zarn-cli-err-XXXXXX";
  ::close(::mkstemp(path));
  TCliRun run = RunShell(CliCommandLine(args) + " 2>'" + path + "'");
  std::ostringstream err;
  err << std::ifstream(path).rdbuf();
  run.Err = err.str();
  ::unlink(path);
  return run;
}
