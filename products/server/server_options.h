#pragma once

// Command line of the server: 聊天室服务器.exe [port [listen-address]].
// Without arguments (as the installer starts it) it listens on the default
// port on all interfaces, or on the address that TAVRIMO_CHAT_LISTEN_ADDRESS
// names; tests pass a port of their own and 127.0.0.1.

#include <cstdint>
#include <optional>
#include <string>

namespace chat {

struct ServerOptions {
    std::uint16_t port;
    std::string address;  // dotted IPv4
};

// Null when the arguments make no sense.
std::optional<ServerOptions> parseServerOptions(int argc, const char* const* argv,
                                                const std::string& defaultAddress = "0.0.0.0");

}  // namespace chat
