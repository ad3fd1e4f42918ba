#include "products/client/server_link.h"

#include "products/protocol/protocol.h"

#include <ws2tcpip.h>

#include <cstring>

namespace chat {

namespace {

constexpr UINT kSocketMessage = WM_APP + 1;
constexpr UINT kLookupMessage = WM_APP + 2;
constexpr int kReadChunk = 8192;

}  // namespace

ServerLink::ServerLink(LinkListener& listener) : listener_(listener), framer_(kMaxLineBytes) {}

void ServerLink::open(HWND window, const Endpoint& endpoint)
{
    close();
    window_ = window;
    endpoint_ = endpoint;
    in_addr address{};
    if (inet_pton(AF_INET, endpoint.host.c_str(), &address) == 1)
        return connectTo(address);
    hostEntry_.assign(MAXGETHOSTSTRUCT, 0);
    lookup_ = WSAAsyncGetHostByName(window, kLookupMessage, endpoint_.host.c_str(), hostEntry_.data(), static_cast<int>(hostEntry_.size()));
    if (!lookup_)
        fail("无法查找主机 " + endpoint_.host + "：" + socketErrorText(WSAGetLastError()));
}

void ServerLink::close()
{
    if (lookup_) {
        WSACancelAsyncRequest(lookup_);
        lookup_ = nullptr;
    }
    socket_.reset();
    framer_ = LineFramer(kMaxLineBytes);
    outbox_ = Outbox();
}

void ServerLink::send(std::string_view line)
{
    if (!socket_)
        return;
    outbox_.push(line);
    flush();
}

bool ServerLink::handleMessage(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == kLookupMessage) {
        // A cancelled lookup may still report; only the current one counts.
        if (reinterpret_cast<HANDLE>(wParam) == lookup_)
            lookedUp(lParam);
        return true;
    }
    if (message == kSocketMessage) {
        // Events of a socket closed earlier can still be queued.
        if (socket_ && static_cast<SOCKET>(wParam) == socket_.get())
            socketEvent(lParam);
        return true;
    }
    return false;
}

void ServerLink::lookedUp(LPARAM lParam)
{
    lookup_ = nullptr;
    const auto* entry = reinterpret_cast<const hostent*>(hostEntry_.data());
    if (const int error = WSAGETASYNCERROR(lParam); error != 0 || entry->h_addrtype != AF_INET || !entry->h_addr_list[0])
        return fail("找不到主机 " + endpoint_.host + "：" + socketErrorText(error != 0 ? error : WSANO_DATA));
    in_addr address{};
    std::memcpy(&address, entry->h_addr_list[0], sizeof address);
    connectTo(address);
}

void ServerLink::connectTo(const in_addr& address)
{
    socket_ = Socket(socket(AF_INET, SOCK_STREAM, IPPROTO_TCP));
    if (!socket_)
        return fail("无法创建套接字：" + socketErrorText(WSAGetLastError()));
    // Also makes the socket non-blocking.
    if (WSAAsyncSelect(socket_.get(), window_, kSocketMessage, FD_CONNECT | FD_READ | FD_WRITE | FD_CLOSE) == SOCKET_ERROR)
        return fail("无法创建套接字：" + socketErrorText(WSAGetLastError()));
    sockaddr_in target{};
    target.sin_family = AF_INET;
    target.sin_addr = address;
    target.sin_port = htons(endpoint_.port);
    if (connect(socket_.get(), reinterpret_cast<const sockaddr*>(&target), sizeof target) == SOCKET_ERROR) {
        if (const int error = WSAGetLastError(); error != WSAEWOULDBLOCK)
            fail("无法连接到 " + describeEndpoint(endpoint_) + "：" + socketErrorText(error));
    }
}

void ServerLink::socketEvent(LPARAM lParam)
{
    const int error = WSAGETSELECTERROR(lParam);
    switch (WSAGETSELECTEVENT(lParam)) {
    case FD_CONNECT:
        if (error != 0)
            return fail("无法连接到 " + describeEndpoint(endpoint_) + "：" + socketErrorText(error));
        return listener_.linkConnected();
    case FD_READ:
        readOnce();
        return;
    case FD_WRITE:
        return flush();
    case FD_CLOSE:
        // What the server sent last (a goodbye or an error) may still be waiting.
        while (socket_ && readOnce()) {
        }
        if (socket_)
            fail(error != 0 ? "与服务器的连接中断：" + socketErrorText(error) : "服务器关闭了连接");
        return;
    default:
        return;
    }
}

// False when nothing more can be read now.
bool ServerLink::readOnce()
{
    char buffer[kReadChunk];
    const int received = recv(socket_.get(), buffer, sizeof buffer, 0);
    if (received <= 0) {
        const int error = received == SOCKET_ERROR ? WSAGetLastError() : 0;
        if (error != 0 && error != WSAEWOULDBLOCK)
            fail("与服务器的连接中断：" + socketErrorText(error));
        return false;
    }
    for (const FramedLine& line : framer_.feed(std::string_view(buffer, received))) {
        if (!socket_)
            return false;  // a line before this one closed the link
        if (!line.tooLong)
            listener_.linkLine(line.text);
    }
    return true;
}

void ServerLink::flush()
{
    if (outbox_.flush(socket_.get()) == Outbox::Flush::Failed)
        fail("发送失败，与服务器的连接中断：" + socketErrorText(WSAGetLastError()));
}

void ServerLink::fail(const std::string& why)
{
    close();
    listener_.linkClosed(why);
}

}  // namespace chat
