#include "platform/evdev_devices.h"

#include <linux/input-event-codes.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

namespace fs = std::filesystem;

namespace {

constexpr unsigned kWordBits = sizeof(long) * 8; // the kernel prints its longs

std::string first_line(const fs::path& file) {
    std::ifstream in(file);
    std::string line;
    std::getline(in, line);
    return line;
}

// N of a name "eventN"; -1 for any other name.
int event_number(const std::string& name) {
    constexpr std::string_view prefix = "event";
    if (name.size() <= prefix.size() || name.compare(0, prefix.size(), prefix) != 0) {
        return -1;
    }
    const std::string digits = name.substr(prefix.size());
    if (digits.size() > 6 || !std::all_of(digits.begin(), digits.end(), ::isdigit)) {
        return -1; // not a kernel event node (and no number that could overflow)
    }
    return std::atoi(digits.c_str());
}

} // namespace

bool capability_bit(const std::string& bitmap, unsigned bit) {
    std::vector<std::string> words;
    std::istringstream in(bitmap);
    for (std::string w; in >> w;) {
        words.push_back(w);
    }
    const size_t index = bit / kWordBits; // counted from the lowest word, the last written
    if (index >= words.size()) {
        return false; // the kernel leaves out high words that are all zero
    }
    const std::string& word = words[words.size() - 1 - index];
    // Longer than a long or not hexadecimal: not a word the kernel wrote.
    if (word.empty() || word.size() > kWordBits / 4 ||
        word.find_first_not_of("0123456789abcdefABCDEF") != std::string::npos) {
        return false;
    }
    const unsigned long long value = std::strtoull(word.c_str(), nullptr, 16);
    return (value >> (bit % kWordBits)) & 1u;
}

bool evdev_is_mouse(const std::string& rel_bitmap, const std::string& key_bitmap) {
    // A node that also types letters is a keyboard too (a combined receiver): never read.
    return capability_bit(rel_bitmap, REL_X) && capability_bit(rel_bitmap, REL_Y) &&
           capability_bit(key_bitmap, BTN_LEFT) && !capability_bit(key_bitmap, KEY_A);
}

std::vector<EvdevNode> scan_evdev_mice(const EvdevRoots& roots) {
    std::vector<EvdevNode> mice;
    std::error_code ec;
    // Devices come and go while the folder is read: an error ends the walk, never the program.
    for (fs::directory_iterator it(roots.sysfs, ec), end; !ec && it != end; it.increment(ec)) {
        const fs::path& path = it->path();
        const std::string name = path.filename().string();
        const int number = event_number(name);
        if (number < 0) {
            continue;
        }
        const fs::path device = path / "device";
        if (!evdev_is_mouse(first_line(device / "capabilities/rel"),
                            first_line(device / "capabilities/key"))) {
            continue;
        }
        mice.push_back({number,
                        (fs::path(roots.dev) / name).string(),
                        {first_line(device / "name"), first_line(device / "phys")}});
    }
    std::sort(mice.begin(), mice.end(),
              [](const EvdevNode& a, const EvdevNode& b) { return a.number < b.number; });
    return mice;
}
