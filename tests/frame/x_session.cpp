#include "tests/frame/x_session.h"

#include <array>
#include <cstdio>
#include <cstdlib>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sstream>
#include <sys/wait.h>
#include <thread>
#include <unistd.h>

bool wait_until(const std::function<bool()>& condition, double seconds) {
    auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
    while (std::chrono::steady_clock::now() < deadline) {
        if (condition())
            return true;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return condition();
}

XSession::XSession() {
    int fds[2];
    if (pipe(fds) != 0)
        return;
    pid_t pid = fork();
    if (pid == 0) {
        close(fds[0]);
        int devnull = open("/dev/null", O_WRONLY);
        dup2(devnull, 1);
        dup2(devnull, 2);
        std::string fd = std::to_string(fds[1]);
        execlp("Xvfb", "Xvfb", "-displayfd", fd.c_str(), "-screen", "0", "1024x768x24", "-noreset",
               "-nolisten", "tcp", static_cast<char*>(nullptr));
        _exit(127);
    }
    close(fds[1]);
    if (pid < 0) {
        close(fds[0]);
        return;
    }
    pid_ = pid;
    // Xvfb writes the display number and a newline once it accepts connections.
    std::string number;
    pollfd p{fds[0], POLLIN, 0};
    while (poll(&p, 1, 60000) > 0) {
        char c;
        if (read(fds[0], &c, 1) != 1 || c == '\n')
            break;
        number += c;
    }
    close(fds[0]);
    if (number.empty())
        return;
    display_ = std::atoi(number.c_str());
    setenv("DISPLAY", (":" + number).c_str(), 1);
}

XSession::~XSession() {
    if (pid_ > 0) {
        kill(pid_, SIGTERM);
        waitpid(pid_, nullptr, 0);
    }
}

std::string XSession::run(const std::string& command) const {
    std::string out;
    FILE* f = popen(command.c_str(), "r");
    if (!f)
        return out;
    std::array<char, 4096> buf;
    size_t n;
    while ((n = fread(buf.data(), 1, buf.size(), f)) > 0)
        out.append(buf.data(), n);
    pclose(f);
    return out;
}

XWindow XSession::window(const std::string& name) const {
    std::istringstream tree(run("xwininfo -root -tree 2>/dev/null"));
    std::string line;
    std::string quoted = "\"" + name + "\"";
    while (std::getline(tree, line)) {
        size_t at = line.find(quoted);
        if (at == std::string::npos)
            continue;
        size_t id = line.find("0x");
        if (id == std::string::npos || id >= at)
            continue;
        XWindow w{line.substr(id, line.find(' ', id) - id)};
        // The size follows the name and class list: ... ("name" "class")  640x480+0+0
        size_t size_at = line.find(')', at);
        if (size_at != std::string::npos)
            std::sscanf(line.c_str() + size_at + 1, " %dx%d", &w.width, &w.height);
        return w;
    }
    return {};
}

bool XSession::viewable(const std::string& id) const {
    return run("xwininfo -id " + id + " 2>/dev/null").find("IsViewable") != std::string::npos;
}

void XSession::xdotool(const std::string& args) const {
    run("xdotool " + args + " 2>/dev/null");
}

RunningProgram::RunningProgram(const std::string& executable, const std::string& folder) {
    pid_t pid = fork();
    if (pid == 0) {
        if (chdir(folder.c_str()) != 0)
            _exit(126);
        int out = open("output.txt", O_WRONLY | O_CREAT | O_TRUNC, 0644);
        dup2(out, 1);
        dup2(out, 2);
        setenv("SDL_AUDIODRIVER", "dummy", 1);
        unsetenv("SDL_VIDEODRIVER"); // the programs draw on the session's display
        // The system GL and X libraries leak; the other sanitizer options still hold.
        const char* asan = getenv("ASAN_OPTIONS");
        setenv("ASAN_OPTIONS", (std::string(asan ? asan : "") + ":detect_leaks=0").c_str(), 1);
        execl(executable.c_str(), executable.c_str(), static_cast<char*>(nullptr));
        _exit(127);
    }
    pid_ = pid;
}

RunningProgram::~RunningProgram() {
    if (pid_ > 0 && !exited_) {
        kill(pid_, SIGKILL);
        waitpid(pid_, nullptr, 0);
    }
}

bool RunningProgram::running() {
    if (pid_ <= 0 || exited_)
        return false;
    int status = 0;
    if (waitpid(pid_, &status, WNOHANG) == pid_) {
        exited_ = true;
        exit_code_ = WIFEXITED(status) ? WEXITSTATUS(status) : -WTERMSIG(status);
        return false;
    }
    return true;
}

int RunningProgram::wait_exit(double seconds) {
    wait_until([&] { return !running(); }, seconds);
    return exited_ ? exit_code_ : -1000;
}
