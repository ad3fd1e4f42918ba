#pragma once

// Rate limit for one client's lines: a burst of up to `capacity` lines, then
// `perSecond` lines a second. Time comes from the caller so it can be tested.

#include <cstdint>

namespace chat {

class TokenBucket {
public:
    TokenBucket(std::uint32_t capacity, std::uint32_t perSecond, std::uint64_t nowMs);

    // Spends one token if there is one.
    bool take(std::uint64_t nowMs);

private:
    // Thousandths of a token, so a refill of a few milliseconds is not lost.
    std::uint64_t capacityMilli_;
    std::uint64_t perSecond_;
    std::uint64_t milliTokens_;
    std::uint64_t lastMs_;
};

}  // namespace chat
