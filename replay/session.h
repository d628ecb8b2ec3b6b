// One run of a game program as its hooks see it: played live, recorded, or replayed in the
// window. The hooks hand every input to the session, which passes it to the game's seam,
// records it on the way, or ignores it in favour of the replay.
#pragma once

#include "replay/playback.h"
#include "replay/recorder.h"
#include "replay/replay_game.h"

#include <memory>
#include <ostream>
#include <string>

class ProgramSession {
  public:
    ProgramSession(ReplayGame& game, GameHost& host, ReplayProgram program)
        : game_(game), host_(host), program_(program) {}

    // Before the window opens: record into `path`, or play `replay` back.
    bool record_to(const std::string& path, std::string& error);
    void play_back(Replay replay, std::ostream& out);

    bool replaying() const { return playback_ != nullptr; }

    // The program's hooks.
    void allocate(int live_mouse_count);
    void start(); // the window was built
    void key(uint32_t code, bool down);
    void mouse(int index, int32_t dx, int32_t dy, int32_t wheel, bool left, bool right,
               bool middle);
    void update(uint32_t elapsed_ms);

    // After the window closed for good: puts the recording in place, or prints the replay's
    // verdict. Returns the exit code (0 for a live run).
    int finish(std::ostream& out, std::ostream& err);

  private:
    ReplayGame& game_;
    GameHost& host_;
    ReplayProgram program_;
    std::unique_ptr<Recorder> recorder_;
    std::string record_path_;
    std::unique_ptr<Replay> replay_;
    std::unique_ptr<Playback> playback_;
    uint32_t behind_ms_ = 0; // replayed time owed to the live clock
    bool quit_asked_ = false;
};
