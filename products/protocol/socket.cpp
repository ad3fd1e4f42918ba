#include "products/protocol/socket.h"

#include <ws2tcpip.h>

#include <stdexcept>

namespace chat {

WinsockSession::WinsockSession()
{
    WSADATA data;
    if (WSAStartup(MAKEWORD(2, 2), &data) != 0)
        throw std::runtime_error("无法初始化 Windows 套接字（WSAStartup 失败）");
}

WinsockSession::~WinsockSession()
{
    WSACleanup();
}

Socket& Socket::operator=(Socket&& other) noexcept
{
    if (this != &other) {
        reset();
        handle_ = other.release();
    }
    return *this;
}

SOCKET Socket::release()
{
    const SOCKET handle = handle_;
    handle_ = INVALID_SOCKET;
    return handle;
}

void Socket::reset()
{
    if (handle_ != INVALID_SOCKET)
        closesocket(release());
}

bool setNonBlocking(SOCKET socket)
{
    u_long on = 1;
    return ioctlsocket(socket, FIONBIO, &on) == 0;
}

std::string peerName(SOCKET socket)
{
    sockaddr_in address{};
    int length = sizeof address;
    char text[INET_ADDRSTRLEN] = {};
    if (getpeername(socket, reinterpret_cast<sockaddr*>(&address), &length) != 0
        || !inet_ntop(AF_INET, &address.sin_addr, text, sizeof text))
        return "（未知地址）";
    return std::string(text) + ":" + std::to_string(ntohs(address.sin_port));
}

std::string socketErrorText(int error)
{
    const char* words = "网络错误";
    switch (error) {
    case WSAECONNREFUSED: words = "连接被拒绝，服务器可能没有运行"; break;
    case WSAETIMEDOUT: words = "连接超时"; break;
    case WSAECONNRESET: words = "连接被对方重置"; break;
    case WSAECONNABORTED: words = "连接被中止"; break;
    case WSAENETUNREACH:
    case WSAEHOSTUNREACH: words = "网络不可达"; break;
    case WSAHOST_NOT_FOUND:
    case WSANO_DATA: words = "找不到这个主机名"; break;
    case WSAEADDRINUSE: words = "端口已被占用"; break;
    case WSAEACCES: words = "没有权限使用这个端口"; break;
    case WSAEADDRNOTAVAIL: words = "地址无效"; break;
    default: break;
    }
    return std::string(words) + "（错误码 " + std::to_string(error) + "）";
}

}  // namespace chat
