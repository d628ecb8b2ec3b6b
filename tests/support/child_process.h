// The program under test as a child process with its own working directory, environment
// changes and output file.
#pragma once

#include <chrono>
#include <string>
#include <vector>

#include <sys/types.h>

class ChildProcess {
  public:
    // `env` entries "NAME=value" are set; `args` follow the name.
    bool start(const std::string& program, const std::string& cwd,
               const std::vector<std::string>& env, const std::string& output_file,
               const std::vector<std::string>& args = {});
    // Waits for the exit; false after the timeout (the child is then killed). A signal gives
    // 128 + its number.
    bool wait_exit(int& exit_code, std::chrono::milliseconds timeout = std::chrono::seconds(60));
    void kill_now();
    ~ChildProcess() { kill_now(); }

  private:
    pid_t pid_ = -1;
};

std::string read_text_file(const std::string& path);
