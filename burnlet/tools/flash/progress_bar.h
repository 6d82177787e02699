// A text progress bar fed by polling a progress value (the update's, made from the
// library's) on its own thread, the way a client's UI does while a transfer runs.
#pragma once

#include <atomic>
#include <chrono>
#include <functional>
#include <ostream>
#include <thread>

namespace flashtool {

class ProgressBar {
public:
    ProgressBar(std::ostream &out, std::function<int32_t()> value,
                std::chrono::milliseconds interval = std::chrono::milliseconds(20));
    ~ProgressBar();

    void start();
    void stop();  // draws the last value and ends the line

private:
    void poll();
    void draw(int32_t value);

    std::ostream &out_;
    std::function<int32_t()> value_;
    std::chrono::milliseconds interval_;
    std::atomic<bool> running_{false};
    std::thread poller_;
    int32_t shown_ = -2;
};

std::string renderBar(int32_t value);

}  // namespace flashtool
