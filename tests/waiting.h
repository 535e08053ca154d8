// Waiting for a state a test can observe, never for a fixed time.
#pragma once

#include <chrono>
#include <thread>

// Asks `done` every few milliseconds until it holds (true) or `seconds` have passed (false).
template <class Done> bool waitUntil(double seconds, Done done, int pollMs = 10) {
    const auto deadline = std::chrono::steady_clock::now() +
                          std::chrono::milliseconds(static_cast<long>(seconds * 1000));
    while (!done()) {
        if (std::chrono::steady_clock::now() > deadline) {
            return false;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(pollMs));
    }
    return true;
}
