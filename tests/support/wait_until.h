// Polling with a deadline, for tests that wait on another process or the X server.
#pragma once

#include <chrono>
#include <functional>

// Polls `condition` every 50 ms until it holds or `timeout` passes; true when it held.
bool wait_until(const std::function<bool()>& condition,
                std::chrono::milliseconds timeout = std::chrono::seconds(60));
