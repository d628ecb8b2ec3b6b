#include "replay/game_main.h"

#include "replay/headless.h"
#include "replay/options.h"
#include "replay/replay_reader.h"

#include <iostream>

int run_game_command(int argc, const char* const* argv, ReplayProgram program,
                     ProgramSession& session, ReplayGame& game,
                     const std::function<int()>& run_window) {
    const std::string name = replay_program_name(program);
    GameOptions options;
    std::string error;
    if (!parse_game_options(argc, argv, options, error)) {
        std::cerr << name << ": " << error << "\n" << game_usage(name);
        return EXIT_USAGE;
    }
    if (options.help) {
        std::cout << game_usage(name);
        return 0;
    }
    switch (options.mode) {
    case GameMode::play:
        return run_window();
    case GameMode::record: {
        if (!session.record_to(options.file, error)) {
            std::cerr << name << ": cannot record: " << error << "\n";
            return EXIT_REPLAY_FILE;
        }
        const int code = run_window();
        const int recorded = session.finish(std::cout, std::cerr);
        return code != 0 ? code : recorded;
    }
    case GameMode::replay:
        break;
    }
    Replay replay;
    const ReplayReadResult read = read_replay_file(options.file, program, replay);
    if (read.status == ReplayReadStatus::refused) {
        std::cerr << name << ": " << read.message << "\n";
        return EXIT_REPLAY_FILE;
    }
    if (read.status == ReplayReadStatus::unfinished)
        std::cout << "note: " << read.message << "; its steps play as recorded\n";
    if (options.headless)
        return run_headless_replay(replay, game, std::cout);
    session.play_back(std::move(replay), std::cout);
    const int code = run_window();
    const int verdict = session.finish(std::cout, std::cerr);
    return code != 0 ? code : verdict;
}
