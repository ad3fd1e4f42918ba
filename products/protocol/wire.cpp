#include "products/protocol/wire.h"

namespace chat {

Words splitFirstWord(std::string_view line)
{
    const std::size_t space = line.find(' ');
    if (space == std::string_view::npos)
        return {line, {}};
    return {line.substr(0, space), line.substr(space + 1)};
}

std::string formatLine(std::string_view verb, std::string_view argument)
{
    std::string line(verb);
    if (!argument.empty()) {
        line += ' ';
        line += argument;
    }
    line += "\r\n";
    return line;
}

}  // namespace chat
