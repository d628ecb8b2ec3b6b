#include "platform/evdev_raw_input.h"
#include "platform/evdev_event_translation.h"

#include <fcntl.h>
#include <linux/input.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>

namespace {

int open_node(const std::string& path) {
    return ::open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
}

struct OpenMouse {
    EvdevNode node;
    RawDeviceHandle handle = 0;
    int fd = -1;
    EvdevFrame frame;
    std::vector<char> partial; // the start of a record that a read cut off
};

class EvdevBackend final : public RawInputBackend {
  public:
    EvdevBackend(const EvdevRoots& roots, std::chrono::milliseconds rescan)
        : roots_(roots), rescan_(rescan) {}
    ~EvdevBackend() override {
        for (OpenMouse& m : mice_) {
            ::close(m.fd);
        }
    }

    const char* label() const override { return "evdev"; }

    std::vector<ListedMouse> list_mice() override {
        if (!scanned_) {
            rescan();
        }
        std::vector<ListedMouse> listed;
        for (const OpenMouse& m : mice_) {
            listed.push_back({m.handle, m.node.who.name});
        }
        return listed;
    }

    bool listen(bool on) override {
        if (!scanned_) {
            rescan();
        }
        registry_.stop_learning();
        listening_ = on;
        return true;
    }

    void collect(RawEventQueue& queue, std::vector<uintptr_t>& handles) override {
        const auto now = std::chrono::steady_clock::now();
        if (now - last_scan_ >= rescan_) {
            rescan();
        }
        std::vector<RawInputEvent> events;
        for (size_t i = 0; i < mice_.size();) {
            events.clear();
            if (!read_mouse(mice_[i], events)) {
                close_mouse(i); // unplugged: the node is gone
                continue;
            }
            for (RawInputEvent& event : events) {
                event.header.device = mice_[i].handle;
                if (listening_) {
                    if (const uintptr_t handle = queue.push(event)) {
                        handles.push_back(handle);
                    }
                }
            }
            ++i;
        }
    }

    void wait_fds(std::vector<int>& fds) const override {
        for (const OpenMouse& m : mice_) {
            fds.push_back(m.fd);
        }
    }

  private:
    // Drops the mice whose device is gone and opens the known ones that came (back).
    void rescan() {
        scanned_ = true;
        last_scan_ = std::chrono::steady_clock::now();
        const std::vector<EvdevNode> nodes = scan_evdev_mice(roots_);
        for (size_t i = 0; i < mice_.size();) {
            bool still_there = false;
            for (const EvdevNode& n : nodes) {
                still_there =
                    still_there || (n.number == mice_[i].node.number && n.who == mice_[i].node.who);
            }
            if (still_there) {
                ++i;
            } else {
                close_mouse(i);
            }
        }
        for (const EvdevNode& n : nodes) {
            if (registry_.handle_of(n.number) != 0) {
                continue; // open already
            }
            const RawDeviceHandle handle = registry_.attach(n.number, n.who);
            if (handle == 0) {
                continue; // never known: not opened at all
            }
            const int fd = open_node(n.path);
            if (fd < 0) {
                registry_.detach(n.number);
                continue;
            }
            OpenMouse m;
            m.node = n;
            m.handle = handle;
            m.fd = fd;
            // In the kernel's order, so the list keeps the order of the event numbers.
            auto at = mice_.begin();
            while (at != mice_.end() && at->node.number < n.number) {
                ++at;
            }
            mice_.insert(at, std::move(m));
        }
    }

    void close_mouse(size_t i) {
        ::close(mice_[i].fd);
        registry_.detach(mice_[i].node.number);
        mice_.erase(mice_.begin() + static_cast<std::ptrdiff_t>(i));
    }

    // Reads all that waits; false when the device has gone.
    bool read_mouse(OpenMouse& m, std::vector<RawInputEvent>& out) {
        char buffer[64 * sizeof(input_event)];
        for (;;) {
            const size_t kept = m.partial.size();
            if (kept > 0) {
                std::memcpy(buffer, m.partial.data(), kept);
            }
            const ssize_t got = ::read(m.fd, buffer + kept, sizeof buffer - kept);
            if (got < 0) {
                return errno == EAGAIN || errno == EINTR;
            }
            if (got == 0) {
                return true; // a pipe without a writer (tests): nothing now
            }
            const size_t total = kept + static_cast<size_t>(got);
            const size_t whole = total / sizeof(input_event) * sizeof(input_event);
            for (size_t at = 0; at < whole; at += sizeof(input_event)) {
                input_event e;
                std::memcpy(&e, buffer + at, sizeof e);
                if (m.frame.feed(e.type, e.code, e.value, out)) {
                    resync_buttons(m, out);
                }
            }
            m.partial.assign(buffer + whole, buffer + total);
        }
    }

    // After the kernel dropped events, the buttons are taken from its key state.
    static void resync_buttons(OpenMouse& m, std::vector<RawInputEvent>& out) {
        unsigned char keys[KEY_MAX / 8 + 1] = {};
        if (ioctl(m.fd, EVIOCGKEY(sizeof keys), keys) < 0) {
            return; // not an event device (a test's pipe): keep what is known
        }
        const auto held = [&](int code) { return (keys[code / 8] >> (code % 8)) & 1; };
        const bool buttons[3] = {held(BTN_LEFT) != 0, held(BTN_RIGHT) != 0, held(BTN_MIDDLE) != 0};
        m.frame.resync(buttons, out);
    }

    EvdevRoots roots_;
    std::chrono::milliseconds rescan_;
    std::chrono::steady_clock::time_point last_scan_{};
    bool scanned_ = false;
    bool listening_ = false;
    DeviceRegistry registry_;
    std::vector<OpenMouse> mice_;
};

} // namespace

EvdevProbe probe_evdev_mice(const EvdevRoots& roots) {
    EvdevProbe probe;
    for (const EvdevNode& n : scan_evdev_mice(roots)) {
        ++probe.mice;
        const int fd = open_node(n.path);
        if (fd >= 0) {
            ++probe.openable;
            ::close(fd);
        }
    }
    return probe;
}

std::unique_ptr<RawInputBackend> make_evdev_backend(const EvdevRoots& roots,
                                                    std::chrono::milliseconds rescan) {
    return std::make_unique<EvdevBackend>(roots, rescan);
}
