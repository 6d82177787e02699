// A text progress bar fed by polling the library's progress value on its own thread, the
// way a client's UI does while a transfer runs.
#pragma once

#include <atomic>
#include <chrono>
#include <ostream>
#include <thread>

namespace flashtool {

class ProgressBar {
public:
    explicit ProgressBar(std::ostream &out, std::chrono::milliseconds interval = std::chrono::milliseconds(20));
    ~ProgressBar();

    void start();
    void stop();  // draws the last value and ends the line

private:
    void poll();
    void draw(int32_t value);

    std::ostream &out_;
    std::chrono::milliseconds interval_;
    std::atomic<bool> running_{false};
    std::thread poller_;
    int32_t shown_ = -2;
};

std::string renderBar(int32_t value);

}  // namespace flashtool
