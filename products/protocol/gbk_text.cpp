#include "products/protocol/gbk_text.h"

namespace chat {

namespace {

char foldAscii(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

}  // namespace

bool isGbkLeadByte(unsigned char byte)
{
    return byte >= 0x81 && byte <= 0xFE;
}

bool isGbkTrailByte(unsigned char byte)
{
    return (byte >= 0x40 && byte <= 0x7E) || (byte >= 0x80 && byte <= 0xFE);
}

std::size_t nextCharacter(std::string_view text, std::size_t pos)
{
    if (pos + 1 < text.size() && isGbkLeadByte(static_cast<unsigned char>(text[pos]))
        && isGbkTrailByte(static_cast<unsigned char>(text[pos + 1])))
        return pos + 2;
    return pos + 1;
}

TextProblem checkText(std::string_view text)
{
    for (std::size_t pos = 0; pos < text.size();) {
        const auto byte = static_cast<unsigned char>(text[pos]);
        const std::size_t next = nextCharacter(text, pos);
        if (next == pos + 1) {
            if (byte >= 0x80)
                return TextProblem::InvalidGbk;
            if (byte < 0x20 || byte == 0x7F)
                return TextProblem::ControlCharacter;
        }
        pos = next;
    }
    return TextProblem::None;
}

std::size_t fitToCharacters(std::string_view text, std::size_t maxBytes)
{
    std::size_t fitted = 0;
    for (std::size_t pos = 0; pos < text.size();) {
        const std::size_t next = nextCharacter(text, pos);
        if (next > maxBytes)
            break;
        fitted = pos = next;
    }
    return fitted;
}

std::string foldAsciiCase(std::string_view text)
{
    std::string folded(text);
    for (std::size_t pos = 0; pos < folded.size();) {
        const std::size_t next = nextCharacter(folded, pos);
        if (next == pos + 1)
            folded[pos] = foldAscii(folded[pos]);
        pos = next;
    }
    return folded;
}

std::string_view trimSpaces(std::string_view text)
{
    while (!text.empty() && text.front() == ' ')
        text.remove_prefix(1);
    while (!text.empty() && text.back() == ' ')
        text.remove_suffix(1);
    return text;
}

std::size_t findLastCharacterOf(std::string_view text, std::string_view chars)
{
    std::size_t found = std::string_view::npos;
    for (std::size_t pos = 0; pos < text.size(); pos = nextCharacter(text, pos)) {
        if (chars.find(text[pos]) != std::string_view::npos)
            found = pos;
    }
    return found;
}

}  // namespace chat
