#pragma once

// Cuts a TCP byte stream into lines. A line ends at LF; one CR before the LF is
// dropped, so both CR LF and a lone LF end a line. A line longer than the cap is
// reported as too long and its bytes are dropped as they come, never buffered.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace chat {

struct FramedLine {
    std::string text;      // empty when tooLong
    bool tooLong = false;

};

inline bool operator==(const FramedLine& a, const FramedLine& b)
{
    return a.text == b.text && a.tooLong == b.tooLong;
}

class LineFramer {
public:
    explicit LineFramer(std::size_t maxLineBytes);

    // Complete lines found so far; an unfinished line waits for the next call.
    std::vector<FramedLine> feed(std::string_view bytes);

    // True while bytes of an unfinished line are pending.
    bool midLine() const { return !partial_.empty() || discarding_; }

private:
    std::size_t maxLineBytes_;
    std::string partial_;
    bool discarding_ = false;
};

}  // namespace chat
