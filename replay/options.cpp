#include "replay/options.h"

bool parse_game_options(int argc, const char* const* argv, GameOptions& options,
                        std::string& error) {
    options = GameOptions{};
    bool record = false, replay = false;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            options.help = true;
        } else if (arg == "--headless") {
            options.headless = true;
        } else if (arg == "--record" || arg == "--replay") {
            bool& seen = arg == "--record" ? record : replay;
            if (seen) {
                error = arg + " is given twice";
                return false;
            }
            if (i + 1 >= argc || std::string(argv[i + 1]).empty()) {
                error = arg + " needs a FILE";
                return false;
            }
            seen = true;
            options.file = argv[++i];
        } else {
            error =
                (arg.starts_with("-") ? "unknown option '" : "unexpected argument '") + arg + "'";
            return false;
        }
    }
    if (record && replay) {
        error = "--record and --replay cannot be used together";
        return false;
    }
    if (options.headless && !replay) {
        error = "--headless needs --replay FILE";
        return false;
    }
    options.mode = record ? GameMode::record : replay ? GameMode::replay : GameMode::play;
    return true;
}

std::string game_usage(const std::string& program) {
    return "usage: " + program +
           " [--record FILE | --replay FILE [--headless] | --help]\n"
           "  (no option)               play\n"
           "  --record FILE             play, and record the run into FILE\n"
           "  --replay FILE             play FILE back in the window at its recorded pace;\n"
           "                            the live input is ignored (Escape quits, F1 still\n"
           "                            switches between window and full screen)\n"
           "  --replay FILE --headless  replay FILE without window or sound, as fast as it\n"
           "                            goes, comparing every digest the recording holds\n"
           "  --help                    show this text\n"
           "exit codes: 0 done (every replayed digest matched), 1 a digest differed,\n"
           "            2 bad command line, 3 the replay could not be read or written\n";
}
