// The four raw-input entry points over the chosen backend, and the queue of raw events
// between the backend and the raw-mouse module.
#include "platform/evdev_raw_input.h"
#include "platform/mouse_backend_choice.h"
#include "platform/raw_input_backend.h"
#include "platform/xinput_raw_input.h"

#include <cstdio>
#include <cstdlib>
#include <cstring>

namespace {

struct RawInputLayer {
    std::unique_ptr<RawInputBackend> backend;
    RawEventQueue queue;
    std::vector<ListedMouse> listed; // the last device list handed out
    bool merge_reported = false;
};

// One backend for the whole process, like the system library it replaces.
RawInputLayer layer;
EvdevRoots evdev_roots;

bool is_remote_desktop_name(const std::string& name) {
    return name.rfind(REMOTE_DESKTOP_MOUSE_PREFIX, 0) == 0;
}

// How to check a desktop: every start names the mice it found.
void print_mice() {
    int count = 0;
    for (const ListedMouse& m : layer.listed) {
        count += is_remote_desktop_name(m.name) ? 0 : 1;
    }
    std::printf("mice: %d found through %s\n", count, layer.backend->label());
    int n = 0;
    for (const ListedMouse& m : layer.listed) {
        if (!is_remote_desktop_name(m.name)) {
            std::printf("  mouse %d: %s\n", ++n, m.name.c_str());
        }
    }
    std::fflush(stdout);
}

int register_devices(const RawInputRegistration* devices, uint32_t count, uint32_t entry_size) {
    if (!layer.backend || !devices || count == 0 || entry_size != sizeof(RawInputRegistration)) {
        return 0;
    }
    bool remove = false;
    for (uint32_t i = 0; i < count; ++i) {
        // Only mice are served here.
        if (devices[i].usage_page != HID_USAGE_PAGE_GENERIC ||
            devices[i].usage != HID_USAGE_GENERIC_MOUSE) {
            return 0;
        }
        remove = (devices[i].flags & RIDEV_REMOVE) != 0;
    }
    if (!layer.backend->listen(!remove)) {
        return 0;
    }
    if (!remove) {
        print_mice();
    }
    return 1;
}

uint32_t get_device_list(RawInputDeviceEntry* list, uint32_t* count, uint32_t entry_size) {
    if (!layer.backend || !count || entry_size != sizeof(RawInputDeviceEntry)) {
        return RAW_INPUT_ERROR;
    }
    layer.listed = layer.backend->list_mice();
    const auto found = static_cast<uint32_t>(layer.listed.size());
    if (!list) {
        *count = found;
        return 0;
    }
    if (*count < found) {
        *count = found;
        return RAW_INPUT_ERROR;
    }
    for (uint32_t i = 0; i < found; ++i) {
        list[i].device = layer.listed[i].handle;
        list[i].type = RIM_TYPEMOUSE;
    }
    return found;
}

uint32_t get_device_info(RawDeviceHandle device, uint32_t command, void* data, uint32_t* size) {
    if (!layer.backend || !size || command != RIDI_DEVICENAME) {
        return RAW_INPUT_ERROR;
    }
    for (const ListedMouse& m : layer.listed) {
        if (m.handle != device) {
            continue;
        }
        const auto needed = static_cast<uint32_t>(m.name.size() + 1);
        if (!data) {
            *size = needed;
            return 0;
        }
        if (*size < needed) {
            *size = needed;
            return RAW_INPUT_ERROR;
        }
        std::memcpy(data, m.name.c_str(), needed);
        return needed;
    }
    return RAW_INPUT_ERROR;
}

// The event stays until it is fetched whole; then its handle is spent.
uint32_t get_data(uintptr_t handle, uint32_t command, void* data, uint32_t* size,
                  uint32_t header_size) {
    if (!size || command != RID_INPUT || header_size != sizeof(RawInputHeader)) {
        return RAW_INPUT_ERROR;
    }
    const RawInputEvent* event = layer.queue.find(handle);
    if (!event) {
        return RAW_INPUT_ERROR;
    }
    constexpr auto needed = static_cast<uint32_t>(sizeof(RawInputEvent));
    if (!data) {
        *size = needed;
        return 0;
    }
    if (*size < needed) {
        return RAW_INPUT_ERROR;
    }
    std::memcpy(data, event, needed);
    layer.queue.release(handle);
    return needed;
}

void fill(RawInputApi& api) {
    api.register_devices = register_devices;
    api.get_device_list = get_device_list;
    api.get_device_info = get_device_info;
    api.get_data = get_data;
}

std::string environment(const char* name) {
    const char* value = std::getenv(name);
    return value ? value : "";
}

// The backend for this desktop; the reason goes to standard error when it is not the one
// that gives every mouse its own player.
std::unique_ptr<RawInputBackend> choose_backend() {
    MouseFacts facts;
    facts.request = environment("GLIMBO_MICE");
    std::unique_ptr<XInputBackend> xi = open_xinput_backend();
    facts.x_input2 = xi != nullptr;
    facts.xwayland = xi && looks_like_xwayland(xi->describe());
    facts.wayland_session = !environment("WAYLAND_DISPLAY").empty();
    const EvdevRoots roots = evdev_roots;
    // /dev/input is looked at only where it may serve: never on a plain X11 desktop.
    const bool evdev_may_serve =
        facts.request == "evdev" ||
        (facts.request != "xinput2" && (facts.xwayland || (!xi && facts.wayland_session)));
    if (evdev_may_serve) {
        const EvdevProbe probe = probe_evdev_mice(roots);
        facts.evdev_mice = probe.mice;
        facts.evdev_openable = probe.openable;
    }
    const MouseBackendChoice choice = choose_mouse_backend(facts);
    std::fputs(choice.message.c_str(), stderr);
    switch (choice.backend) {
    case MouseBackend::xinput2:
        return xi;
    case MouseBackend::evdev:
        return make_evdev_backend(roots);
    case MouseBackend::none:
        break;
    }
    return nullptr;
}

} // namespace

void raw_input_set_evdev_roots(const EvdevRoots& roots) {
    evdev_roots = roots;
}

bool raw_input_bind_backend(RawInputApi& api, std::unique_ptr<RawInputBackend> backend) {
    raw_input_unbind();
    if (!backend) {
        return false;
    }
    layer.backend = std::move(backend);
    fill(api);
    return true;
}

bool raw_input_bind(RawInputApi& api) {
    if (!layer.backend) {
        layer.backend = choose_backend();
    }
    if (!layer.backend) {
        return false;
    }
    fill(api);
    return true;
}

void raw_input_unbind() {
    layer = RawInputLayer{};
}

void raw_input_collect_events(std::vector<uintptr_t>& handles) {
    if (!layer.backend) {
        return;
    }
    layer.backend->collect(layer.queue, handles);
    if (layer.queue.merged_any() && !layer.merge_reported) {
        layer.merge_reported = true;
        std::fprintf(stderr,
                     "mice: more than %zu raw mouse events were waiting; later motion is "
                     "merged until the program catches up\n",
                     RawEventQueue::kDefaultCap);
    }
}

void raw_input_discard_event(uintptr_t handle) {
    layer.queue.release(handle);
}

void raw_input_wait_fds(std::vector<int>& fds) {
    if (layer.backend) {
        layer.backend->wait_fds(fds);
    }
}

bool xinput_bind_raw_input(RawInputApi& api) {
    if (!layer.backend || std::strcmp(layer.backend->label(), "XInput2") != 0) {
        return raw_input_bind_backend(api, open_xinput_backend());
    }
    fill(api);
    return true;
}

void xinput_unbind_raw_input() {
    raw_input_unbind();
}

void xinput_collect_raw_events(std::vector<uintptr_t>& handles) {
    raw_input_collect_events(handles);
}

int xinput_connection_fd() {
    std::vector<int> fds;
    raw_input_wait_fds(fds);
    return fds.empty() ? -1 : fds.front();
}
