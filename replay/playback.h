// Plays a replay into a game: each step's recorded inputs in their order, then the step
// with its recorded elapsed time, the game's file reads served from the replay (writes go
// nowhere), and every recorded digest compared with the replayed state.
#pragma once

#include "level/file_access.h"
#include "replay/replay_format.h"
#include "replay/replay_game.h"

#include <cstddef>
#include <ostream>
#include <string>

class Playback : public FileAccess {
  public:
    // Reports go to `out`, one line per recorded digest. `replay` must outlive the playback.
    Playback(const Replay& replay, std::ostream& out) : replay_(replay), out_(out) {}

    // Allocates the players for the recorded mice and puts the generator where it was.
    void begin(ReplayGame& game);

    // True when every step has run, or the game read something the recording did not.
    bool done() const;
    uint32_t next_elapsed_ms() const;
    // Runs the next step (when not done); `host.files` must be this playback.
    void run_step(ReplayGame& game, GameHost& host);

    // Prints the verdict (and the speed, when `seconds` is not negative); returns the exit
    // code: 0 when every compared digest matched, else 1.
    int finish(double seconds);

    FileReadStatus read(const std::string& path, std::vector<uint8_t>& bytes,
                        std::string& error) override;
    bool write(const std::string& path, const std::vector<uint8_t>& bytes,
               std::string& error) override;

  private:
    void compare(const std::string& where, uint64_t recorded, uint64_t replayed);
    // The game left the recorded path: reported as the first difference, and the replay
    // stops, since the recording holds nothing for the new path.
    void diverge(const std::string& what);

    const Replay& replay_;
    std::ostream& out_;
    size_t next_ = 0;      // steps run so far
    size_t running_ = 0;   // number of the step running or last run, from 1
    size_t next_file_ = 0; // files of the running step served so far
    size_t matches_ = 0;
    bool differs_ = false;
    size_t first_differs_ = 0; // step number
    size_t last_match_ = 0;
    bool diverged_ = false;
};
