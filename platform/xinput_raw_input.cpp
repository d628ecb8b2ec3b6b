// The raw-input entry points over XInput2, on a connection of the layer's own. Device handles
// are X device ids; event handles index a ring of recent events.
#include "platform/raw_input.h"
#include "platform/xinput_event_translation.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <array>
#include <cstring>
#include <map>
#include <string>

namespace {

// Events are held until the ring wraps; the pump hands each handle on at once, so a
// thousand events is far more than can arrive between two passes of the message loop.
constexpr size_t kRingSize = 1024;

struct StoredEvent {
    uintptr_t handle = 0; // 0: slot never used
    RawInputEvent event;
};

struct XInputLayer {
    Display* display = nullptr;
    int xi_opcode = 0;
    std::array<StoredEvent, kRingSize> ring;
    uintptr_t next_handle = 1; // 0 is never a valid handle
    std::map<int, PointerAxes> axes;
};

// The layer owns one X connection for the whole process, like the system library it replaces.
XInputLayer layer;

struct SlavePointer {
    int id = 0;
    std::string name;
    PointerAxes axes;
};

PointerAxes read_axes(const XIDeviceInfo& info) {
    PointerAxes axes;
    for (int c = 0; c < info.num_classes; ++c) {
        const XIAnyClassInfo* any = info.classes[c];
        if (any->type == XIValuatorClass) {
            const auto* v = reinterpret_cast<const XIValuatorClassInfo*>(any);
            if (v->number == 0 || v->number == 1) {
                AxisRange& range = v->number == 0 ? axes.x : axes.y;
                range.absolute = v->mode == XIModeAbsolute;
                range.min = v->min;
                range.max = v->max;
            }
        } else if (any->type == XIScrollClass) {
            const auto* s = reinterpret_cast<const XIScrollClassInfo*>(any);
            if (s->scroll_type == XIScrollTypeVertical && s->increment != 0.0) {
                axes.vertical_scroll_valuator = s->number;
                axes.scroll_increment = s->increment;
            }
        }
    }
    return axes;
}

// The slave pointers in the server's order. Asking for all devices (never one id) keeps a
// vanished id from raising an X error, whose default handler would end the process.
std::vector<SlavePointer> query_slave_pointers() {
    std::vector<SlavePointer> pointers;
    int count = 0;
    XIDeviceInfo* infos = XIQueryDevice(layer.display, XIAllDevices, &count);
    for (int i = 0; infos && i < count; ++i) {
        if (infos[i].use == XISlavePointer) {
            pointers.push_back(
                {infos[i].deviceid, infos[i].name ? infos[i].name : "", read_axes(infos[i])});
        }
    }
    if (infos) {
        XIFreeDeviceInfo(infos);
    }
    for (const SlavePointer& p : pointers) {
        // New ranges, but the carried sub-unit motion of a known device stays.
        PointerAxes& axes = layer.axes[p.id];
        axes.x = p.axes.x;
        axes.y = p.axes.y;
        axes.vertical_scroll_valuator = p.axes.vertical_scroll_valuator;
        axes.scroll_increment = p.axes.scroll_increment;
    }
    return pointers;
}

// The XTEST pointer is what remote-desktop and automation tools drive: it answers to the name
// test of a remote-desktop mouse.
std::string reported_name(const std::string& x_name) {
    if (x_name.find("XTEST") != std::string::npos) {
        return std::string(REMOTE_DESKTOP_MOUSE_PREFIX) + x_name;
    }
    return x_name;
}

int register_devices(const RawInputRegistration* devices, uint32_t count, uint32_t entry_size) {
    if (!layer.display || !devices || count == 0 || entry_size != sizeof(RawInputRegistration)) {
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
    unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {};
    if (!remove) {
        XISetMask(mask, XI_RawMotion);
        XISetMask(mask, XI_RawButtonPress);
        XISetMask(mask, XI_RawButtonRelease);
        XISetMask(mask, XI_HierarchyChanged);
    }
    XIEventMask event_mask{XIAllDevices, static_cast<int>(sizeof mask), mask};
    XISelectEvents(layer.display, DefaultRootWindow(layer.display), &event_mask, 1);
    XSync(layer.display, False);
    return 1;
}

uint32_t get_device_list(RawInputDeviceEntry* list, uint32_t* count, uint32_t entry_size) {
    if (!layer.display || !count || entry_size != sizeof(RawInputDeviceEntry)) {
        return RAW_INPUT_ERROR;
    }
    const std::vector<SlavePointer> pointers = query_slave_pointers();
    const auto found = static_cast<uint32_t>(pointers.size());
    if (!list) {
        *count = found;
        return 0;
    }
    if (*count < found) {
        *count = found;
        return RAW_INPUT_ERROR;
    }
    for (uint32_t i = 0; i < found; ++i) {
        list[i].device = static_cast<RawDeviceHandle>(pointers[i].id);
        list[i].type = RIM_TYPEMOUSE;
    }
    return found;
}

uint32_t get_device_info(RawDeviceHandle device, uint32_t command, void* data, uint32_t* size) {
    if (!layer.display || !size || command != RIDI_DEVICENAME) {
        return RAW_INPUT_ERROR;
    }
    for (const SlavePointer& p : query_slave_pointers()) {
        if (static_cast<RawDeviceHandle>(p.id) != device) {
            continue;
        }
        const std::string name = reported_name(p.name);
        const auto needed = static_cast<uint32_t>(name.size() + 1);
        if (!data) {
            *size = needed;
            return 0;
        }
        if (*size < needed) {
            *size = needed;
            return RAW_INPUT_ERROR;
        }
        std::memcpy(data, name.c_str(), needed);
        return needed;
    }
    return RAW_INPUT_ERROR;
}

uint32_t get_data(uintptr_t handle, uint32_t command, void* data, uint32_t* size,
                  uint32_t header_size) {
    if (!size || command != RID_INPUT || header_size != sizeof(RawInputHeader)) {
        return RAW_INPUT_ERROR;
    }
    // A handle is stale once the ring has wrapped over its slot.
    const StoredEvent& stored = layer.ring[handle % kRingSize];
    if (handle == 0 || stored.handle != handle) {
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
    std::memcpy(data, &stored.event, needed);
    return needed;
}

uintptr_t store_event(const RawInputEvent& event) {
    const uintptr_t handle = layer.next_handle++;
    if (layer.next_handle == 0) {
        layer.next_handle = 1;
    }
    layer.ring[handle % kRingSize] = {handle, event};
    return handle;
}

// Reads the set valuators of a raw event, in mask order, into a map from valuator number.
RawValuators read_valuators(const XIRawEvent& raw) {
    RawValuators values;
    const double* raw_value = raw.raw_values;
    const double* value = raw.valuators.values;
    for (int bit = 0; bit < raw.valuators.mask_len * 8; ++bit) {
        if (XIMaskIsSet(raw.valuators.mask, bit)) {
            values.push_back({bit, *raw_value++, *value++});
        }
    }
    return values;
}

void translate(const XIRawEvent& raw, std::vector<uintptr_t>& handles) {
    // Each event arrives once from its device and once more through its master pointer.
    if (raw.deviceid != raw.sourceid) {
        return;
    }
    auto known = layer.axes.find(raw.deviceid);
    if (known == layer.axes.end()) {
        query_slave_pointers(); // a device attached since the last look
        // Anything else (a floating device) moves relatively; keeping it in the map spares
        // a round trip to the server on each of its events.
        known = layer.axes.try_emplace(raw.deviceid).first;
    }
    std::vector<RawInputEvent> events;
    switch (raw.evtype) {
    case XI_RawMotion:
        events = translate_motion(known->second, read_valuators(raw));
        break;
    case XI_RawButtonPress:
    case XI_RawButtonRelease:
        events = translate_button(raw.detail, raw.evtype == XI_RawButtonPress);
        break;
    default:
        break;
    }
    for (RawInputEvent& event : events) {
        event.header.device = static_cast<RawDeviceHandle>(raw.deviceid);
        handles.push_back(store_event(event));
    }
}

} // namespace

bool xinput_bind_raw_input(RawInputApi& api) {
    if (!layer.display) {
        Display* display = XOpenDisplay(nullptr);
        if (!display) {
            return false;
        }
        int opcode = 0, first_event = 0, first_error = 0;
        int major = 2, minor = 2;
        if (!XQueryExtension(display, "XInputExtension", &opcode, &first_event, &first_error) ||
            XIQueryVersion(display, &major, &minor) != Success || major < 2 ||
            (major == 2 && minor < 2)) {
            XCloseDisplay(display);
            return false;
        }
        layer.display = display;
        layer.xi_opcode = opcode;
    }
    api.register_devices = register_devices;
    api.get_device_list = get_device_list;
    api.get_device_info = get_device_info;
    api.get_data = get_data;
    return true;
}

void xinput_unbind_raw_input() {
    if (layer.display) {
        XCloseDisplay(layer.display);
    }
    layer = XInputLayer{};
}

void xinput_collect_raw_events(std::vector<uintptr_t>& handles) {
    if (!layer.display) {
        return;
    }
    // XPending reads what the connection has without blocking; draining Xlib's queue here
    // lets a pump that blocks on the connection's descriptor wake for every later event.
    while (XPending(layer.display) > 0) {
        XEvent event;
        XNextEvent(layer.display, &event);
        XGenericEventCookie* cookie = &event.xcookie;
        if (cookie->type != GenericEvent || cookie->extension != layer.xi_opcode ||
            !XGetEventData(layer.display, cookie)) {
            continue;
        }
        if (cookie->evtype == XI_HierarchyChanged) {
            // Devices came or went, and an id may now name another device: look again.
            layer.axes.clear();
        } else if (cookie->evtype == XI_RawMotion || cookie->evtype == XI_RawButtonPress ||
                   cookie->evtype == XI_RawButtonRelease) {
            translate(*static_cast<const XIRawEvent*>(cookie->data), handles);
        }
        XFreeEventData(layer.display, cookie);
    }
}

int xinput_connection_fd() {
    return layer.display ? ConnectionNumber(layer.display) : -1;
}
