#pragma once

// Tests talk to their servers on loopback only.

#include <winsock2.h>

#include <cstdint>

namespace chat::test {

inline sockaddr_in loopbackAddress(std::uint16_t port)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    address.sin_port = htons(port);
    return address;
}

}  // namespace chat::test
