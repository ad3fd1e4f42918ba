#include "host/text/text.h"

#include <algorithm>
#include <cstring>

namespace {

bool isLeadByte(unsigned char c) { return c >= 0x80; }

unsigned char foldAscii(unsigned char c) { return (c >= 'A' && c <= 'Z') ? c + ('a' - 'A') : c; }

bool matchesAt(const Text& text, std::size_t pos, const Text& sub, bool ignoreCase)
{
    for (std::size_t i = 0; i < sub.size(); ++i) {
        auto a = static_cast<unsigned char>(text[pos + i]);
        auto b = static_cast<unsigned char>(sub[i]);
        if (ignoreCase ? foldAscii(a) != foldAscii(b) : a != b)
            return false;
    }
    return true;
}

// Length of the character at `pos`: 1 or 2, or 0 for a lone lead byte at the
// end of the text, which ends any scan.
std::size_t characterLength(const Text& text, std::size_t pos)
{
    if (!isLeadByte(static_cast<unsigned char>(text[pos])))
        return 1;
    return pos + 1 < text.size() ? 2 : 0;
}

std::size_t skippedBytes(std::optional<int> start) { return start && *start > 1 ? std::size_t(*start - 1) : 0; }

} // namespace

Text bytesToText(ByteView bytes)
{
    auto end = std::find(bytes.begin(), bytes.end(), std::uint8_t{0});
    return Text(bytes.begin(), end);
}

int findText(const Text& text, const Text& sub, std::optional<int> start, bool ignoreCase)
{
    std::size_t pos = skippedBytes(start);
    if (pos >= text.size())
        return -1;
    if (sub.empty())
        return 1;
    while (text.size() - pos >= sub.size()) {
        if (matchesAt(text, pos, sub, ignoreCase))
            return int(pos + 1);
        std::size_t step = characterLength(text, pos);
        if (step == 0)
            break;
        pos += step;
    }
    return -1;
}

Text replaceText(const Text& text, const Text& oldSub, std::optional<Text> newSub,
                 std::optional<int> start, std::optional<int> count, bool exactCase)
{
    std::size_t pos = skippedBytes(start);
    bool limited = count && *count >= 0;
    int remaining = limited ? *count : 0;
    if (text.empty() || oldSub.empty() || pos >= text.size() || (limited && remaining == 0))
        return text;

    const Text replacement = newSub.value_or(Text());
    Text result(text, 0, pos);
    while (text.size() - pos >= oldSub.size()) {
        if (matchesAt(text, pos, oldSub, !exactCase)) {
            result += replacement;
            pos += oldSub.size();
            if (limited && --remaining == 0)
                break;
            continue;
        }
        std::size_t step = characterLength(text, pos);
        if (step == 0)
            break;
        result.append(text, pos, step);
        pos += step;
    }
    result.append(text, pos);
    return result;
}

Text joinText(std::initializer_list<std::string_view> parts)
{
    std::size_t total = 0;
    for (auto part : parts)
        total += part.size();
    Text result;
    result.reserve(total);
    for (auto part : parts)
        result += part;
    return result;
}

int compareText(const Text& a, const Text& b)
{
    std::size_t common = std::min(a.size(), b.size());
    int c = common ? std::memcmp(a.data(), b.data(), common) : 0;
    if (c == 0)
        c = (a.size() > b.size()) - (a.size() < b.size());
    return (c > 0) - (c < 0);
}
