#include "products/server/listener.h"

#include <ws2tcpip.h>

#include <stdexcept>
#include <string>

namespace chat {

namespace {

[[noreturn]] void fail(const ServerOptions& options, const std::string& why)
{
    throw std::runtime_error("无法在 " + options.address + ":" + std::to_string(options.port) + " 上监听：" + why);
}

}  // namespace

Socket openListener(const ServerOptions& options)
{
    sockaddr_in address{};
    address.sin_family = AF_INET;
    address.sin_port = htons(options.port);
    if (inet_pton(AF_INET, options.address.c_str(), &address.sin_addr) != 1)
        fail(options, "地址无效");
    Socket listener(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!listener)
        fail(options, socketErrorText(WSAGetLastError()));
    // A second server on the same port must fail here rather than share it.
    BOOL exclusive = TRUE;
    setsockopt(listener.get(), SOL_SOCKET, SO_EXCLUSIVEADDRUSE, reinterpret_cast<const char*>(&exclusive), sizeof exclusive);
    if (bind(listener.get(), reinterpret_cast<const sockaddr*>(&address), sizeof address) == SOCKET_ERROR
        || listen(listener.get(), SOMAXCONN) == SOCKET_ERROR || !setNonBlocking(listener.get()))
        fail(options, socketErrorText(WSAGetLastError()));
    return listener;
}

}  // namespace chat
