#pragma once

// Runs a program as a child process, the way a user would from a shell.

#include <fcntl.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <string>
#include <thread>
#include <vector>

#include "temp_dir.h"

namespace facetor::testing {

/// Where the standard input of a run comes from.
enum class Stdin { DevNull, Text, Closed };

struct ProgramRun {
  std::string exe;
  std::vector<std::string> arguments;
  std::string workDir;     // the current directory of the run
  std::string captureDir;  // where the standard streams are captured (stdin.txt, stdout.txt, ...)
  Stdin input = Stdin::DevNull;
  std::string text;  // the standard input for Stdin::Text
  // A test running as root runs the program as the user nobody, to whom permissions apply.
  bool unprivileged = false;
};

struct Outcome {
  int status = -1;  // the exit status, or -1 when the process did not exit by itself
  std::string out;
  std::string err;
};

/// Runs the program and waits at most a minute for it; a run that takes longer is killed and
/// fails the test. The program finds no display unless `environment` gives it one, so it speaks
/// through the console.
/// `environment` holds variables set for the run, as "NAME=value".
inline Outcome runProgram(const ProgramRun& run, const std::vector<std::string>& environment = {}) {
  const std::string inPath =
      run.input == Stdin::Text ? run.captureDir + "/stdin.txt" : std::string("/dev/null");
  if (run.input == Stdin::Text) writeFile(inPath, run.text);
  const std::string outPath = run.captureDir + "/stdout.txt";
  const std::string errPath = run.captureDir + "/stderr.txt";
  std::vector<char*> argv = {const_cast<char*>(run.exe.c_str())};
  for (const std::string& argument : run.arguments) {
    argv.push_back(const_cast<char*>(argument.c_str()));
  }
  argv.push_back(nullptr);

  pid_t pid = fork();
  if (pid == 0) {
    int in = open(inPath.c_str(), O_RDONLY);
    int out = open(outPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    int err = open(errPath.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
    if (in < 0 || out < 0 || err < 0 || dup2(in, 0) < 0 || dup2(out, 1) < 0 || dup2(err, 2) < 0 ||
        chdir(run.workDir.c_str()) != 0) {
      _exit(127);
    }
    if (run.unprivileged && geteuid() == 0 && (setgid(65534) != 0 || setuid(65534) != 0)) {
      _exit(127);
    }
    unsetenv("DISPLAY");
    unsetenv("WAYLAND_DISPLAY");
    for (const std::string& variable : environment) {
      std::size_t equals = variable.find('=');
      setenv(variable.substr(0, equals).c_str(), variable.substr(equals + 1).c_str(), 1);
    }
    if (run.input == Stdin::Closed) close(0);
    execv(argv[0], argv.data());
    _exit(127);
  }
  Outcome outcome;
  if (pid < 0) {
    ADD_FAILURE() << "fork failed";
    return outcome;
  }
  int wstatus = 0;
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(60);
  while (waitpid(pid, &wstatus, WNOHANG) == 0) {
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &wstatus, 0);
      ADD_FAILURE() << run.exe << " did not end within a minute";
      break;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
  }
  if (WIFEXITED(wstatus)) outcome.status = WEXITSTATUS(wstatus);
  outcome.out = readFile(outPath);
  outcome.err = readFile(errPath);
  return outcome;
}

}  // namespace facetor::testing
