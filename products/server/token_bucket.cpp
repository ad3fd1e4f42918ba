#include "products/server/token_bucket.h"

#include <algorithm>

namespace chat {

TokenBucket::TokenBucket(std::uint32_t capacity, std::uint32_t perSecond, std::uint64_t nowMs)
    : capacityMilli_(std::uint64_t{capacity} * 1000), perSecond_(perSecond), milliTokens_(capacityMilli_), lastMs_(nowMs)
{
}

bool TokenBucket::take(std::uint64_t nowMs)
{
    if (nowMs > lastMs_) {
        milliTokens_ = std::min(capacityMilli_, milliTokens_ + (nowMs - lastMs_) * perSecond_);
        lastMs_ = nowMs;
    }
    if (milliTokens_ < 1000)
        return false;
    milliTokens_ -= 1000;
    return true;
}

}  // namespace chat
