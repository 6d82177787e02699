#include "progress_bar.h"

#include <algorithm>
#include <string>

namespace flashtool {

namespace {
constexpr int kBarWidth = 40;
}

std::string renderBar(int32_t value)
{
    if (value < 0)
        return "[" + std::string(kBarWidth, '!') + "] failed";
    const int percent = std::min(value, 100);
    const int filled = percent * kBarWidth / 100;
    return "[" + std::string(filled, '#') + std::string(kBarWidth - filled, '.') + "] " +
           std::to_string(percent) + "%";
}

ProgressBar::ProgressBar(std::ostream &out, std::function<int32_t()> value, std::chrono::milliseconds interval)
    : out_(out), value_(std::move(value)), interval_(interval)
{
}

ProgressBar::~ProgressBar()
{
    if (running_)
        stop();
}

void ProgressBar::start()
{
    running_ = true;
    poller_ = std::thread(&ProgressBar::poll, this);
}

void ProgressBar::stop()
{
    running_ = false;
    if (poller_.joinable())
        poller_.join();
    draw(value_());
    out_ << '\n' << std::flush;
}

void ProgressBar::poll()
{
    while (running_) {
        draw(value_());
        std::this_thread::sleep_for(interval_);
    }
}

void ProgressBar::draw(int32_t value)
{
    if (value == shown_)
        return;
    shown_ = value;
    out_ << '\r' << renderBar(value) << std::flush;
}

}  // namespace flashtool
