#include "tests/support/child_process.h"

#include "tests/support/wait_until.h"

#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <fstream>
#include <sstream>

bool ChildProcess::start(const std::string& program, const std::string& cwd,
                         const std::vector<std::string>& env, const std::string& output_file,
                         const std::vector<std::string>& args) {
    std::vector<char*> argv{const_cast<char*>(program.c_str())};
    for (const std::string& a : args)
        argv.push_back(const_cast<char*>(a.c_str()));
    argv.push_back(nullptr);
    pid_ = fork();
    if (pid_ < 0)
        return false;
    if (pid_ == 0) {
        if (chdir(cwd.c_str()) != 0)
            _exit(126);
        for (const std::string& e : env)
            putenv(const_cast<char*>(e.c_str())); // the strings last until execv copies them
        const int fd = ::open(output_file.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0644);
        if (fd >= 0) {
            dup2(fd, 1);
            dup2(fd, 2);
            ::close(fd);
        }
        execv(program.c_str(), argv.data());
        _exit(127);
    }
    return true;
}

bool ChildProcess::wait_exit(int& exit_code, std::chrono::milliseconds timeout) {
    int status = 0;
    const auto reaped = [&] { return waitpid(pid_, &status, WNOHANG) == pid_; };
    if (pid_ <= 0 || !wait_until(reaped, timeout)) {
        kill_now();
        return false;
    }
    pid_ = -1;
    exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
    return true;
}

void ChildProcess::kill_now() {
    if (pid_ > 0) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
}

std::string read_text_file(const std::string& path) {
    std::ifstream in(path);
    std::stringstream s;
    s << in.rdbuf();
    return s.str();
}
