#pragma once
// Writes pieces of output on a thread of its own, so that converting the next piece and
// the kernel's copy of the last one into the page cache run on both cores at once.
// One piece is in flight at a time; a failure (a full disk, a closed pipe) is rethrown on
// the converting thread by the next submit() or by drain().

#include <condition_variable>
#include <exception>
#include <functional>
#include <mutex>
#include <string>
#include <string_view>
#include <thread>

class BackgroundWriter {
public:
    using Sink = std::function<void(std::string_view bytes)>;

    explicit BackgroundWriter(Sink sink);
    ~BackgroundWriter();
    BackgroundWriter(const BackgroundWriter&) = delete;
    BackgroundWriter& operator=(const BackgroundWriter&) = delete;

    // Takes the bytes (bytes is left empty, with the capacity of an earlier piece) once
    // the piece before is written. Rethrows what writing an earlier piece threw.
    void submit(std::string& bytes);
    // Returns when every piece handed over is written; rethrows a failure.
    void drain();

private:
    void run();
    void waitIdle(std::unique_lock<std::mutex>& lock);

    Sink sink_;
    std::mutex mutex_;
    std::condition_variable changed_;
    std::string inFlight_;
    bool busy_ = false;
    bool stopping_ = false;
    std::exception_ptr failure_;
    std::thread thread_; // last: starts once everything above is set up
};
