#include "products/client/endpoint.h"

#include "products/protocol/gbk_text.h"
#include "products/protocol/protocol.h"

#include <charconv>

namespace chat {

std::optional<Endpoint> parseEndpoint(std::string_view text)
{
    text = trimSpaces(text);
    Endpoint endpoint{std::string(text), kDefaultPort};
    if (const std::size_t colon = text.rfind(':'); colon != std::string_view::npos) {
        const std::string_view port = text.substr(colon + 1);
        unsigned number = 0;
        const auto [end, error] = std::from_chars(port.data(), port.data() + port.size(), number);
        if (error != std::errc{} || end != port.data() + port.size() || number == 0 || number > 65535)
            return std::nullopt;
        endpoint.host = text.substr(0, colon);
        endpoint.port = static_cast<std::uint16_t>(number);
    }
    const std::string_view host = endpoint.host;
    if (host.empty() || host.find_first_of(" :") != std::string_view::npos || checkText(host) != TextProblem::None)
        return std::nullopt;
    return endpoint;
}

std::string describeEndpoint(const Endpoint& endpoint)
{
    return endpoint.host + ":" + std::to_string(endpoint.port);
}

}  // namespace chat
