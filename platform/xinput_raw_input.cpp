// The raw-input backend over XInput2. Device handles come from the registry (an X device id
// that the server hands to another device never carries a record along); raw events of the
// known mice go into the shared queue.
#include "platform/xinput_raw_input.h"
#include "platform/device_registry.h"
#include "platform/xinput_event_translation.h"

#include <X11/Xlib.h>
#include <X11/extensions/XInput2.h>

#include <map>
#include <set>
#include <string>

namespace {

PointerAxes read_axes(const XIDeviceInfo& info) {
    PointerAxes axes;
    for (int c = 0; c < info.num_classes; ++c) {
        const XIAnyClassInfo* any = info.classes[c];
        if (any->type == XIValuatorClass) {
            const auto* v = reinterpret_cast<const XIValuatorClassInfo*>(any);
            if (v->number == 0 || v->number == 1) {
                AxisRange& range = v->number == 0 ? axes.x : axes.y;
                range.present = true;
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

// The XTEST pointer is what remote-desktop and automation tools drive: it answers to the name
// test of a remote-desktop mouse.
std::string reported_name(const std::string& x_name) {
    if (x_name.find("XTEST") != std::string::npos) {
        return std::string(REMOTE_DESKTOP_MOUSE_PREFIX) + x_name;
    }
    return x_name;
}

// Reads the set valuators of a raw event, in mask order, into a list by valuator number.
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

class XInputLayer final : public XInputBackend {
  public:
    XInputLayer(Display* display, int opcode) : display_(display), opcode_(opcode) {}
    ~XInputLayer() override { XCloseDisplay(display_); }

    const char* label() const override { return "XInput2"; }

    std::vector<XiDeviceDescription> describe() override {
        std::vector<XiDeviceDescription> devices;
        // Asking for all devices (never one id) keeps a vanished id from raising an X error,
        // whose default handler would end the process.
        int count = 0;
        XIDeviceInfo* infos = XIQueryDevice(display_, XIAllDevices, &count);
        for (int i = 0; infos && i < count; ++i) {
            const XIDeviceInfo& info = infos[i];
            const PointerAxes axes = read_axes(info);
            XiDeviceDescription d;
            d.id = info.deviceid;
            d.name = info.name ? info.name : "";
            d.slave_pointer = info.use == XISlavePointer;
            d.enabled = info.enabled != 0;
            d.has_x = axes.x.present;
            d.has_y = axes.y.present;
            d.x_relative = !axes.x.absolute;
            d.y_relative = !axes.y.absolute;
            devices.push_back(d);
            // New ranges, but the carried sub-unit motion of a known device stays.
            PointerAxes& kept = axes_[d.id];
            kept.x = axes.x;
            kept.y = axes.y;
            kept.vertical_scroll_valuator = axes.vertical_scroll_valuator;
            kept.scroll_increment = axes.scroll_increment;
        }
        if (infos) {
            XIFreeDeviceInfo(infos);
        }
        return devices;
    }

    std::vector<ListedMouse> list_mice() override {
        refresh();
        std::vector<ListedMouse> listed;
        for (const auto& [source, name] : order_) {
            if (const RawDeviceHandle handle = registry_.handle_of(source)) {
                listed.push_back({handle, name});
            }
        }
        return listed;
    }

    bool listen(bool on) override {
        registry_.stop_learning();
        unsigned char mask[XIMaskLen(XI_LASTEVENT)] = {};
        if (on) {
            XISetMask(mask, XI_RawMotion);
            XISetMask(mask, XI_RawButtonPress);
            XISetMask(mask, XI_RawButtonRelease);
            XISetMask(mask, XI_HierarchyChanged);
        }
        XIEventMask event_mask{XIAllDevices, static_cast<int>(sizeof mask), mask};
        XISelectEvents(display_, DefaultRootWindow(display_), &event_mask, 1);
        XSync(display_, False);
        return true;
    }

    void collect(RawEventQueue& queue, std::vector<uintptr_t>& handles) override {
        // XPending reads what the connection has without blocking; draining Xlib's queue here
        // lets a pump that blocks on the connection's descriptor wake for every later event.
        while (XPending(display_) > 0) {
            XEvent event;
            XNextEvent(display_, &event);
            XGenericEventCookie* cookie = &event.xcookie;
            if (cookie->type != GenericEvent || cookie->extension != opcode_ ||
                !XGetEventData(display_, cookie)) {
                continue;
            }
            if (cookie->evtype == XI_HierarchyChanged) {
                refresh(); // devices came or went, and an id may now name another device
            } else if (cookie->evtype == XI_RawMotion || cookie->evtype == XI_RawButtonPress ||
                       cookie->evtype == XI_RawButtonRelease) {
                translate(*static_cast<const XIRawEvent*>(cookie->data), queue, handles);
            }
            XFreeEventData(display_, cookie);
        }
    }

    void wait_fds(std::vector<int>& fds) const override {
        fds.push_back(ConnectionNumber(display_));
    }

  private:
    // Looks at the server's devices again: mice that went are detached, those that came are
    // attached (resuming their handle when they were known).
    void refresh() {
        const std::vector<XiMouse> mice = select_xinput_mice(describe());
        std::map<int, std::string> sources; // one member stands for each mouse
        member_of_.clear();
        motion_ignored_.clear();
        order_.clear();
        for (const XiMouse& mouse : mice) {
            const int source = mouse.members.front();
            const std::string name = reported_name(mouse.name);
            sources[source] = name;
            order_.push_back({source, name});
            for (int id : mouse.members) {
                member_of_[id] = source;
            }
            motion_ignored_.insert(mouse.motion_ignored.begin(), mouse.motion_ignored.end());
        }
        for (const auto& [source, name] : attached_) {
            if (!sources.count(source)) {
                registry_.detach(source);
            }
        }
        for (const auto& [source, name] : sources) {
            registry_.attach(source, {name, ""});
        }
        attached_ = sources;
    }

    void translate(const XIRawEvent& raw, RawEventQueue& queue, std::vector<uintptr_t>& handles) {
        // Each event arrives once from its device and once more through its master pointer.
        if (raw.deviceid != raw.sourceid) {
            return;
        }
        auto member = member_of_.find(raw.deviceid);
        if (member == member_of_.end() && !axes_.count(raw.deviceid)) {
            refresh(); // a device attached since the last look
            member = member_of_.find(raw.deviceid);
        }
        // A device that is no mouse, or a mouse never known: its events reach no one.
        const RawDeviceHandle handle =
            member == member_of_.end() ? 0 : registry_.handle_of(member->second);
        if (handle == 0) {
            return;
        }
        std::vector<RawInputEvent> events;
        if (raw.evtype == XI_RawMotion) {
            RawValuators values = read_valuators(raw);
            if (motion_ignored_.count(raw.deviceid)) {
                std::erase_if(values, [](const RawValuator& v) { return v.number <= 1; });
            }
            events = translate_motion(axes_[raw.deviceid], values);
        } else {
            events = translate_button(raw.detail, raw.evtype == XI_RawButtonPress);
        }
        for (RawInputEvent& event : events) {
            event.header.device = handle;
            if (const uintptr_t h = queue.push(event)) {
                handles.push_back(h);
            }
        }
    }

    Display* display_;
    int opcode_;
    DeviceRegistry registry_;
    std::map<int, PointerAxes> axes_;     // by X device id, every device seen
    std::map<int, int> member_of_;        // X device id -> the id that stands for its mouse
    std::set<int> motion_ignored_;        // X device ids whose x and y are no motion
    std::map<int, std::string> attached_; // standing ids of the mice now present
    std::vector<std::pair<int, std::string>> order_; // the mice in the server's order
};

} // namespace

std::unique_ptr<XInputBackend> open_xinput_backend() {
    Display* display = XOpenDisplay(nullptr);
    if (!display) {
        return nullptr;
    }
    int opcode = 0, first_event = 0, first_error = 0;
    int major = 2, minor = 2;
    if (!XQueryExtension(display, "XInputExtension", &opcode, &first_event, &first_error) ||
        XIQueryVersion(display, &major, &minor) != Success || major < 2 ||
        (major == 2 && minor < 2)) {
        XCloseDisplay(display);
        return nullptr;
    }
    return std::make_unique<XInputLayer>(display, opcode);
}
