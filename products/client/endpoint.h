#pragma once

// The server address the user types: "host" or "host:port", where host is an
// IPv4 address or a name on the LAN.

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace chat {

struct Endpoint {
    std::string host;
    std::uint16_t port;

};

inline bool operator==(const Endpoint& a, const Endpoint& b)
{
    return a.host == b.host && a.port == b.port;
}

// Null when the text is not an address; spaces around it are ignored.
std::optional<Endpoint> parseEndpoint(std::string_view text);

std::string describeEndpoint(const Endpoint& endpoint);

}  // namespace chat
