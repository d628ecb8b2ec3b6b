#include "tests/support/x_session.h"

#include <cstdlib>
#include <fstream>
#include <sstream>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <sstream>

XSession::XSession() {
    started_ = server_.start();
    if (started_)
        setenv("DISPLAY", server_.display().c_str(), 1);
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
    // The system GL and X libraries leak; the other sanitizer options still hold.
    const char* asan = getenv("ASAN_OPTIONS");
    child_.start(executable, folder,
                 {"SDL_AUDIODRIVER=dummy", "SDL_VIDEODRIVER",
                  "ASAN_OPTIONS=" + std::string(asan ? asan : "") + ":detect_leaks=0"},
                 "output.txt");
}

int RunningProgram::wait_exit(std::chrono::milliseconds timeout) {
    int code = 0;
    return child_.wait_exit(code, timeout) ? code : -1000;
}
