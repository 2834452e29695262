#pragma once
// How a long walk over a list lets the one who started it act between rows. The window's
// EventPump repaints, moves the bar and takes input there, throttled by time; the
// converter's writers run unpaced, straight through.

#include <functional>

class Pacing {
public:
    virtual ~Pacing() = default;

    // True when a yield is due before the next row.
    virtual bool due() = 0;
    // Lets the caller act: the list may be shorter afterwards. May throw to end the walk
    // (the window's WindowClosed).
    virtual void yield() = 0;
    // Runs a blocking piece of work (packing a file, flushing it to disk), yielding
    // meanwhile where the caller wants to. Rethrows what the work threw.
    virtual void runBeside(const std::function<void()>& work) = 0;

    // No yields: every walk runs straight through.
    static Pacing& none();
};
