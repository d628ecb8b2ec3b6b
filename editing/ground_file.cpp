#include "editing/ground_file.h"

bool load_ground(const std::string& path, MyGameData& ground, ErrorReporter& errors) {
    if (read_mygame_file(path, ground).status != MyGameReadStatus::ok) {
        errors.show_error(LOAD_FAILED_TEXT);
        return false;
    }
    return true;
}

bool save_ground(const std::string& path, const MyGameData& ground, ErrorReporter& errors) {
    std::string error;
    if (!write_mygame_file(path, ground, error)) {
        errors.show_error(SAVE_FAILED_TEXT);
        return false;
    }
    return true;
}
