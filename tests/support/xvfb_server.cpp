#include "tests/support/xvfb_server.h"

#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

bool XvfbServer::start(const std::vector<std::string>& extra_args) {
    int fds[2];
    if (pipe(fds) != 0)
        return false;
    pid_ = fork();
    if (pid_ == 0) {
        ::close(fds[0]);
        const int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, 1);
        dup2(devnull, 2);
        const std::string fd = std::to_string(fds[1]);
        std::vector<const char*> argv = {"Xvfb",        "-displayfd", fd.c_str(),  "-screen", "0",
                                         "1024x768x24", "-noreset",   "-nolisten", "tcp"};
        for (const std::string& a : extra_args)
            argv.push_back(a.c_str());
        argv.push_back(nullptr);
        execvp("Xvfb", const_cast<char* const*>(argv.data()));
        _exit(127);
    }
    ::close(fds[1]);
    if (pid_ < 0) {
        ::close(fds[0]);
        return false;
    }
    // Xvfb writes the display number and a newline once it accepts connections, and
    // nothing when it ends first.
    pollfd p{fds[0], POLLIN, 0};
    std::string number;
    char c = 0;
    while (poll(&p, 1, 60000) > 0 && read(fds[0], &c, 1) == 1 && c != '\n')
        number += c;
    ::close(fds[0]);
    if (c != '\n' || number.empty()) {
        stop();
        return false;
    }
    display_ = ":" + number;
    return true;
}

void XvfbServer::stop() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
        pid_ = -1;
    }
}
