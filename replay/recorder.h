// Records a run at the game's input seam: the inputs in arrival order, every file the game
// reads (passed on to `source`, the bytes kept), and per step the elapsed time and, every
// hundred steps, a digest of the state. Each step is written as soon as it has run.
#pragma once

#include "level/file_access.h"
#include "replay/replay_format.h"
#include "replay/replay_game.h"
#include "replay/replay_writer.h"

#include <string>

class Recorder : public FileAccess {
  public:
    explicit Recorder(FileAccess& source = disk_files()) : source_(source) {}

    // Creates the part file beside `path`.
    bool open(const std::string& path, std::string& error);
    // Writes the header: the program, the mice and the generator as they are now. Called
    // once the players are allocated; `game` gives the digest of a run without steps.
    void begin(ReplayProgram program, int mouse_count, const ReplayGame& game);

    void key(uint32_t code, bool down);
    void mouse(int index, int32_t dx, int32_t dy, int32_t wheel, bool left, bool right,
               bool middle);
    void start();
    // The step has run: writes its record.
    void end_step(uint32_t elapsed_ms, const ReplayGame& game);

    // Writes the end record and puts the file in place. A recording that never began
    // leaves nothing behind. False with `error` when the file could not be written.
    bool close(std::string& error);

    uint32_t steps() const { return steps_; }
    bool began() const { return begun_; }

    FileReadStatus read(const std::string& path, std::vector<uint8_t>& bytes,
                        std::string& error) override;
    bool write(const std::string& path, const std::vector<uint8_t>& bytes,
               std::string& error) override;

  private:
    bool recording() const { return begun_; }
    void append(const std::vector<uint8_t>& record);
    // Ends the recording for good, leaving the part file as it is; close() reports `why`.
    void stop(const std::string& why);

    FileAccess& source_;
    ReplayWriter writer_;
    ReplayStep pending_;
    uint32_t steps_ = 0;
    uint64_t last_digest_ = 0;
    bool begun_ = false;
    std::string stopped_;
};
