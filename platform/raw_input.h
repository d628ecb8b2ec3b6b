// Raw mouse input, shaped after the four system entry points that the raw-mouse module binds
// at start. raw_input.cpp binds them to a backend (XInput2 or evdev); tests bind scripted ones.
#pragma once

#include <cstdint>
#include <vector>

using RawDeviceHandle = uintptr_t;

constexpr uint32_t RIM_TYPEMOUSE = 0;
constexpr uint32_t RIM_TYPEKEYBOARD = 1;
constexpr uint32_t RIM_TYPEHID = 2;
constexpr uint32_t RIDI_DEVICENAME = 0x20000007;
constexpr uint32_t RID_INPUT = 0x10000003;
constexpr uint32_t RAW_INPUT_ERROR = 0xFFFFFFFFu; // the "(UINT)-1" result
constexpr uint32_t RIDEV_REMOVE = 0x00000001;     // registration flag: stop the input
constexpr uint16_t HID_USAGE_PAGE_GENERIC = 1;
constexpr uint16_t HID_USAGE_GENERIC_MOUSE = 2;
constexpr int16_t WHEEL_DELTA = 120; // wheel data of one notch

// Device names that begin with these 22 characters belong to the mouse of a remote-desktop
// connection. Here the layer gives that name to the XTEST pointer.
constexpr char REMOTE_DESKTOP_MOUSE_PREFIX[] = "\\??\\Root#RDP_MOU#0000#";

// Mouse event flags as the raw-mouse module tests them.
constexpr uint16_t MOUSE_MOVE_ABSOLUTE = 0x01;
constexpr uint16_t RI_MOUSE_LEFT_BUTTON_DOWN = 0x0001;
constexpr uint16_t RI_MOUSE_LEFT_BUTTON_UP = 0x0002;
constexpr uint16_t RI_MOUSE_RIGHT_BUTTON_DOWN = 0x0004;
constexpr uint16_t RI_MOUSE_RIGHT_BUTTON_UP = 0x0008;
constexpr uint16_t RI_MOUSE_MIDDLE_BUTTON_DOWN = 0x0010;
constexpr uint16_t RI_MOUSE_MIDDLE_BUTTON_UP = 0x0020;
constexpr uint16_t RI_MOUSE_WHEEL = 0x0400;

struct RawInputDeviceEntry {
    RawDeviceHandle device = 0;
    uint32_t type = RIM_TYPEMOUSE;
};

struct RawInputRegistration {
    uint16_t usage_page = 0;
    uint16_t usage = 0;
    uint32_t flags = 0;
};

struct RawInputHeader {
    uint32_t type = RIM_TYPEMOUSE;
    uint32_t size = 0;
    RawDeviceHandle device = 0;
};

struct RawMouseData {
    uint16_t flags = 0;
    uint16_t button_flags = 0;
    int16_t button_data = 0; // wheel delta
    int32_t last_x = 0;
    int32_t last_y = 0;
};

struct RawInputEvent {
    RawInputHeader header;
    RawMouseData mouse;
};

// The four entry points, with the calling conventions of their system originals:
// - register_devices: non-zero on success (entry_size is sizeof(RawInputRegistration)).
// - get_device_list (entry_size is sizeof(RawInputDeviceEntry)): with list == nullptr stores the
// device count in *count and returns 0;
//   otherwise fills the list and returns the number filled; RAW_INPUT_ERROR on failure, and
//   when *count is too small, after storing the needed count in it.
// - get_device_info (RIDI_DEVICENAME): with data == nullptr stores the name length in
//   characters (terminating zero included) in *size and returns 0; otherwise copies the name
//   and returns the characters copied, RAW_INPUT_ERROR when *size is too small or it fails.
// - get_data (RID_INPUT, header_size is sizeof(RawInputHeader)): with data == nullptr stores the
// event size in *size and returns 0;
//   otherwise copies the event and returns its size, RAW_INPUT_ERROR on failure (for example
//   a handle whose event is no longer held).
struct RawInputApi {
    int (*register_devices)(const RawInputRegistration* devices, uint32_t count,
                            uint32_t entry_size) = nullptr;
    uint32_t (*get_device_list)(RawInputDeviceEntry* list, uint32_t* count,
                                uint32_t entry_size) = nullptr;
    uint32_t (*get_device_info)(RawDeviceHandle device, uint32_t command, void* data,
                                uint32_t* size) = nullptr;
    uint32_t (*get_data)(uintptr_t handle, uint32_t command, void* data, uint32_t* size,
                         uint32_t header_size) = nullptr;
};

// Binds the entry points to the backend that suits this desktop, chosen once: XInput2 where
// the X server tells mice apart, evdev where it cannot (XWayland) or where GLIMBO_MICE=evdev
// asks for it (GLIMBO_MICE=xinput2 forces XInput2). What it chose, and how to fix a desktop
// that cannot give one player per mouse, goes to standard error once. False when neither
// backend can serve: the games' "raw input not supported" path.
bool raw_input_bind(RawInputApi& api);
// Closes the backend; handles and bindings made before become invalid.
void raw_input_unbind();

// For the message pump: appends a handle for every raw event that arrived since the last
// call (each becomes the long parameter of one WM_INPUT). An event stays fetchable until it
// is fetched or discarded. Does nothing when unbound.
void raw_input_collect_events(std::vector<uintptr_t>& handles);
// An event that no window will fetch (none had the focus).
void raw_input_discard_event(uintptr_t handle);
// Descriptors that become readable when raw input arrives, for a pump that waits.
void raw_input_wait_fds(std::vector<int>& fds);

// The XInput2 backend alone, whatever the desktop (its tests use these).
bool xinput_bind_raw_input(RawInputApi& api);
void xinput_unbind_raw_input();
void xinput_collect_raw_events(std::vector<uintptr_t>& handles);
// The X connection's file descriptor; -1 when unbound.
int xinput_connection_fd();
