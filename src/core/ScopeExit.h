#pragma once
// Runs an action when the scope ends, however it ends: a return, a failed step, or the
// WindowClosed that unwinds a command. Commands use it to leave the window at rest.

#include <utility>

template <typename Action> class ScopeExit {
public:
    explicit ScopeExit(Action action)
        : action_(std::move(action)) {}
    ~ScopeExit() { action_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

private:
    Action action_;
};
