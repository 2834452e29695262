#include "cli/BackgroundWriter.h"

#include <utility>

BackgroundWriter::BackgroundWriter(Sink sink)
    : sink_(std::move(sink))
    , thread_([this] { run(); }) {}

BackgroundWriter::~BackgroundWriter() {
    {
        const std::lock_guard lock(mutex_);
        stopping_ = true;
    }
    changed_.notify_all();
    thread_.join();
}

void BackgroundWriter::waitIdle(std::unique_lock<std::mutex>& lock) {
    changed_.wait(lock, [this] { return !busy_; });
    if (failure_)
        std::rethrow_exception(std::exchange(failure_, nullptr));
}

void BackgroundWriter::submit(std::string& bytes) {
    {
        std::unique_lock lock(mutex_);
        waitIdle(lock);
        inFlight_.swap(bytes);
        busy_ = true;
    }
    bytes.clear();
    changed_.notify_all();
}

void BackgroundWriter::drain() {
    std::unique_lock lock(mutex_);
    waitIdle(lock);
}

void BackgroundWriter::run() {
    std::unique_lock lock(mutex_);
    for (;;) {
        changed_.wait(lock, [this] { return busy_ || stopping_; });
        if (!busy_)
            return; // stopping with nothing left to write
        lock.unlock();
        std::exception_ptr failure;
        try {
            sink_(inFlight_);
        } catch (...) {
            failure = std::current_exception();
        }
        lock.lock();
        failure_ = failure;
        busy_ = false;
        changed_.notify_all();
    }
}
