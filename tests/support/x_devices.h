// Changes the input devices of a test's own X server the way hot-plugging does: master
// devices (each with an XTEST pointer of its own) come and go, devices are disabled, and
// motion is injected on any slave device by name. Kept apart from the tests because the X
// headers' macros clash with GoogleTest's names.
#pragma once

#include <string>

class XDevices {
  public:
    bool open(const std::string& display);
    void close();
    ~XDevices() { close(); }

    // Adds the master pair "NAME pointer"/"NAME keyboard"; returns the X id of its slave
    // "NAME XTEST pointer", 0 on failure.
    int add_master(const std::string& name);
    bool remove_master(const std::string& name);
    bool set_enabled(const std::string& device, bool enabled);
    // Relative motion from the slave device of that name.
    bool move(const std::string& device, int dx, int dy);
    // A key held through XTest repeats like a real one unless repeat is off.
    void key_repeat(bool on);

  private:
    int device_id(const std::string& name);
    void* display_ = nullptr; // Display*
};
