#include "rawmouse/rawmouse.h"

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <new>
#include <string>
#include <utility>
#include <vector>

int32_t mouse_count = 0;

namespace {

constexpr size_t kRemoteDesktopPrefixLength = 22;

// No device name or event comes near this size; refusing a larger answer keeps a broken
// entry point from making us allocate gigabytes.
constexpr uint32_t kLargestAnswer = 1u << 20;

// The module's process-wide state: one owner for the whole run.
struct RawMouseModule {
    RawInputBinder binder = raw_input_bind;
    RawInputApi api;
    std::vector<RawMouse> raw_mice;
    int32_t excluded_count = 0;
    bool include_aggregate = false;
    bool include_remote_desktop = false;
    bool include_individual = false;
    bool initialised = false;
};

RawMouseModule state;

void report(const char* text) {
    std::fputs(text, stderr);
}

bool api_complete(const RawInputApi& api) {
    return api.register_devices && api.get_device_list && api.get_device_info && api.get_data;
}

struct NameMessages {
    const char* size_failed;
    const char* alloc_failed;
    const char* fetch_failed;
};

constexpr NameMessages kCountingMessages = {
    "ERROR: Unable to get size of raw input device name.\n",
    "ERROR: Unable to allocate memory for device name.\n",
    "ERROR: Unable to get raw input device name.\n",
};
constexpr NameMessages kFillingMessages = {
    "ERROR: Unable to get size of raw input device name (2).\n",
    "ERROR: Unable to allocate memory for raw input device name (2).\n",
    "ERROR: Unable to get raw input device name (2).\n",
};

// Fetches a device's name; on failure writes the fitting message and returns false.
bool fetch_device_name(RawDeviceHandle device, const NameMessages& messages, std::string& name) {
    uint32_t size = 0;
    if (state.api.get_device_info(device, RIDI_DEVICENAME, nullptr, &size) != 0) {
        report(messages.size_failed);
        return false;
    }
    std::vector<char> buffer;
    try {
        if (size > kLargestAnswer) {
            throw std::bad_alloc();
        }
        // One more character than asked, so the name always ends in a zero.
        buffer.assign(size + 1, '\0');
    } catch (const std::bad_alloc&) {
        report(messages.alloc_failed);
        return false;
    }
    if (static_cast<int32_t>(
            state.api.get_device_info(device, RIDI_DEVICENAME, buffer.data(), &size)) < 0) {
        report(messages.fetch_failed);
        return false;
    }
    name.assign(buffer.data());
    return true;
}

// Adds without the undefined behaviour of a signed overflow; the value wraps like the
// device counters it sums.
int32_t wrapping_add(int32_t a, int32_t b) {
    return static_cast<int32_t>(static_cast<uint32_t>(a) + static_cast<uint32_t>(b));
}

void apply_to_record(RawMouse& record, const RawMouseData& mouse, bool set_position) {
    if (set_position) {
        record.x = mouse.last_x;
        record.y = mouse.last_y;
    } else {
        record.x = wrapping_add(record.x, mouse.last_x);
        record.y = wrapping_add(record.y, mouse.last_y);
    }
    // In this order, so a press and a release of one button in one event leave it released.
    const uint16_t flags = mouse.button_flags;
    if (flags & RI_MOUSE_LEFT_BUTTON_DOWN) {
        record.button_down[0] = 1;
    }
    if (flags & RI_MOUSE_LEFT_BUTTON_UP) {
        record.button_down[0] = 0;
    }
    if (flags & RI_MOUSE_RIGHT_BUTTON_DOWN) {
        record.button_down[1] = 1;
    }
    if (flags & RI_MOUSE_RIGHT_BUTTON_UP) {
        record.button_down[1] = 0;
    }
    if (flags & RI_MOUSE_MIDDLE_BUTTON_DOWN) {
        record.button_down[2] = 1;
    }
    if (flags & RI_MOUSE_MIDDLE_BUTTON_UP) {
        record.button_down[2] = 0;
    }
    // After the position: the first absolute event of a record is still added.
    if (mouse.flags & MOUSE_MOVE_ABSOLUTE) {
        record.absolute = 1;
    }
    if (flags & RI_MOUSE_WHEEL) {
        if (mouse.button_data > 0) {
            record.wheel = wrapping_add(record.wheel, 1);
        } else if (mouse.button_data < 0) {
            record.wheel = wrapping_add(record.wheel, -1);
        }
    }
}

void apply_event(const RawInputEvent& event) {
    const size_t first = state.include_aggregate ? 1 : 0;
    for (size_t i = first; i < state.raw_mice.size(); ++i) {
        RawMouse& record = state.raw_mice[i];
        if (record.device != event.header.device) {
            continue;
        }
        if (state.include_individual) {
            apply_to_record(record, event.mouse, record.absolute != 0);
        }
        if (state.include_aggregate) {
            apply_to_record(state.raw_mice[0], event.mouse, record.absolute != 0);
        }
    }
}

RawMouse* mouse_at(int mouse) {
    if (mouse < 0 || mouse >= mouse_count || state.raw_mice.empty()) {
        return nullptr;
    }
    return &state.raw_mice[static_cast<size_t>(mouse)];
}

// Gives up a half-done init: no records, no mice.
int fail_init() {
    state.raw_mice.clear();
    state.raw_mice.shrink_to_fit();
    mouse_count = 0;
    state.excluded_count = 0;
    return 0;
}

} // namespace

void rawmouse_set_binder(RawInputBinder binder) {
    state.binder = binder;
}

bool rawmouse_is_remote_desktop_name(std::string_view name) {
    return name.size() >= kRemoteDesktopPrefixLength &&
           name.compare(0, kRemoteDesktopPrefixLength, REMOTE_DESKTOP_MOUSE_PREFIX) == 0;
}

int rawmouse_init(int include_aggregate, int include_remote_desktop, int include_individual) {
    RawInputApi api;
    if (!state.binder || !state.binder(api) || !api_complete(api)) {
        return 0;
    }
    state.api = api;

    // A second init changes nothing: the mice of the first stay readable.
    if (state.initialised) {
        report("WARNING: rawmouse init called after initialization already completed.");
        return 0;
    }
    mouse_count = 0;
    state.excluded_count = 0;
    state.include_aggregate = include_aggregate != 0;
    state.include_remote_desktop = include_remote_desktop != 0;
    state.include_individual = include_individual != 0;

    uint32_t device_count = 0;
    if (state.api.get_device_list(nullptr, &device_count, sizeof(RawInputDeviceEntry)) != 0) {
        report("ERROR: Unable to count raw input devices.\n");
        return fail_init();
    }
    std::vector<RawInputDeviceEntry> devices;
    try {
        if (device_count > kLargestAnswer) {
            throw std::bad_alloc();
        }
        devices.resize(device_count);
    } catch (const std::bad_alloc&) {
        report("ERROR: Unable to allocate memory for raw input device list.\n");
        return fail_init();
    }
    // With no device at all there is no list to fetch (and an empty buffer would read as a
    // count query).
    if (device_count > 0) {
        const uint32_t listed =
            state.api.get_device_list(devices.data(), &device_count, sizeof(RawInputDeviceEntry));
        if (listed == RAW_INPUT_ERROR) {
            report("ERROR: Unable to get raw input device list.\n");
            return fail_init();
        }
        // Devices removed since the count: only the entries filled are real.
        devices.resize(std::min<size_t>(listed, devices.size()));
    }

    int32_t counted = 0;
    std::string name;
    for (const RawInputDeviceEntry& entry : devices) {
        if (entry.type != RIM_TYPEMOUSE) {
            continue;
        }
        if (!fetch_device_name(entry.device, kCountingMessages, name)) {
            return fail_init();
        }
        if (rawmouse_is_remote_desktop_name(name)) {
            if (state.include_remote_desktop) {
                ++counted;
            }
        } else {
            ++counted;
            if (!state.include_individual) {
                ++state.excluded_count;
            }
        }
    }
    if (state.include_aggregate) {
        ++counted;
    }

    try {
        state.raw_mice.assign(static_cast<size_t>(counted), RawMouse{});
    } catch (const std::bad_alloc&) {
        report("ERROR: Unable to allocate memory for raw input mice.\n");
        return fail_init();
    }
    size_t next = state.include_aggregate ? 1 : 0;
    for (const RawInputDeviceEntry& entry : devices) {
        if (entry.type != RIM_TYPEMOUSE) {
            continue;
        }
        if (!fetch_device_name(entry.device, kFillingMessages, name)) {
            return fail_init();
        }
        if (rawmouse_is_remote_desktop_name(name) && !state.include_remote_desktop) {
            continue;
        }
        // A name that changed between the passes must not write past the counted records.
        if (next < state.raw_mice.size()) {
            state.raw_mice[next++].device = entry.device;
        }
    }
    devices.clear();

    mouse_count = counted - state.excluded_count;

    const RawInputRegistration mice{HID_USAGE_PAGE_GENERIC, HID_USAGE_GENERIC_MOUSE, 0};
    if (!state.api.register_devices(&mice, 1, sizeof(RawInputRegistration))) {
        report("ERROR: Unable to register raw input (2).\n");
        return fail_init();
    }
    state.initialised = true;
    return 1;
}

int rawmouse_handle_input(uintptr_t handle) {
    // Never bound: there is nothing to fetch the event with.
    if (!api_complete(state.api)) {
        return 0;
    }
    uint32_t size = 0;
    if (state.api.get_data(handle, RID_INPUT, nullptr, &size, sizeof(RawInputHeader)) ==
        RAW_INPUT_ERROR) {
        report("ERROR: Unable to add to get size of raw input header.\n");
        return 0;
    }
    std::vector<unsigned char> buffer;
    try {
        if (size > kLargestAnswer) {
            throw std::bad_alloc();
        }
        // At least a whole event, so a short answer never reads past the buffer.
        buffer.assign(std::max<size_t>(size, sizeof(RawInputEvent)), 0);
    } catch (const std::bad_alloc&) {
        report("ERROR: Unable to allocate memory for raw input header.\n");
        return 0;
    }
    if (state.api.get_data(handle, RID_INPUT, buffer.data(), &size, sizeof(RawInputHeader)) !=
        size) {
        report("ERROR: Unable to add to get raw input header.\n");
        return 0;
    }
    RawInputEvent event;
    std::memcpy(&event, buffer.data(), sizeof event);
    apply_event(event);
    return 1;
}

int rawmouse_button(int mouse, int button) {
    const RawMouse* record = mouse_at(mouse);
    if (!record || button < 0 || button > 2) {
        return 0;
    }
    return record->button_down[button];
}

int rawmouse_take_x(int mouse) {
    RawMouse* record = mouse_at(mouse);
    return record ? std::exchange(record->x, 0) : 0;
}

int rawmouse_take_y(int mouse) {
    RawMouse* record = mouse_at(mouse);
    return record ? std::exchange(record->y, 0) : 0;
}

int rawmouse_take_wheel(int mouse) {
    RawMouse* record = mouse_at(mouse);
    return record ? std::exchange(record->wheel, 0) : 0;
}

void rawmouse_release() {
    // The count goes with the records, so no accessor reads what was freed.
    state.raw_mice.clear();
    state.raw_mice.shrink_to_fit();
    mouse_count = 0;
    state.excluded_count = 0;
}

void rawmouse_reset_for_tests() {
    rawmouse_release();
    state = RawMouseModule{};
}
