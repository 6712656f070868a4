#pragma once
#include <gtest/gtest.h>
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

// Runs zarn-cli with the arguments, each quoted, after the shell commands in `setup` (such
// as a ulimit); standard error goes where `errorTo` says, by default into Out.
inline TCliRun RunCli(const std::vector<std::string>& args, const std::string& setup = "",
                      const std::string& errorTo = "&1") {
  std::string command = setup + "'" + std::string(ZARN_CLI_PATH) + "'";
  for (const std::string& a : args) command += " '" + a + "'";
  command += " 2>" + errorTo;
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

// Standard output to Out, standard error to Err.
inline TCliRun RunCliApart(const std::vector<std::string>& args) {
  char path[] = "/tmp/zarn-cli-err-XXXXXX";
  ::close(::mkstemp(path));
  TCliRun run = RunCli(args, "", std::string("'") + path + "'");
  std::ostringstream err;
  err << std::ifstream(path).rdbuf();
  run.Err = err.str();
  ::unlink(path);
  return run;
}

// A run of zarn-cli expected to exit with `Status` having written `Out`: the whole of its
// standard output, or of its standard error when it fails (1) or is refused (2).
struct TExpectedCliRun { std::vector<std::string> Args; int Status; std::string Out; };
inline void ExpectCliRuns(const std::vector<TExpectedCliRun>& runs) {
  for (const TExpectedCliRun& r : runs) {
    SCOPED_TRACE(r.Args.back());
    const TCliRun run = RunCliApart(r.Args);
    EXPECT_EQ(run.Status, r.Status);
    EXPECT_EQ(r.Status == 1 || r.Status == 2 ? run.Err : run.Out, r.Out);
  }
}
