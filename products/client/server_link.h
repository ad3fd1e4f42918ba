#pragma once

// The client's connection to the server, driven by window messages
// (WSAAsyncSelect and WSAAsyncGetHostByName), so the window never waits on the
// network. The owner's window procedure passes messages in through
// handleMessage; results come back through LinkListener.

#include "products/client/endpoint.h"
#include "products/protocol/line_framer.h"
#include "products/protocol/outbox.h"
#include "products/protocol/socket.h"

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

namespace chat {

class LinkListener {
public:
    virtual void linkConnected() = 0;
    virtual void linkLine(std::string_view line) = 0;
    // The connection failed or broke; not called after close().
    virtual void linkClosed(const std::string& why) = 0;

protected:
    ~LinkListener() = default;
};

class ServerLink {
public:
    explicit ServerLink(LinkListener& listener);
    ~ServerLink() { close(); }
    ServerLink(const ServerLink&) = delete;
    ServerLink& operator=(const ServerLink&) = delete;

    // Starts looking up and connecting; window receives the progress messages.
    void open(HWND window, const Endpoint& endpoint);
    // Quietly ends any connection or attempt.
    void close();
    // Queues one formatted line.
    void send(std::string_view line);

    // True when message was one of the link's own.
    bool handleMessage(UINT message, WPARAM wParam, LPARAM lParam);

private:
    void lookedUp(LPARAM lParam);
    void connectTo(const in_addr& address);
    void socketEvent(LPARAM lParam);
    bool readOnce();
    void flush();
    void fail(const std::string& why);

    LinkListener& listener_;
    HWND window_ = nullptr;
    Endpoint endpoint_{};
    HANDLE lookup_ = nullptr;  // pending WSAAsyncGetHostByName
    std::vector<char> hostEntry_;
    Socket socket_;
    LineFramer framer_;
    Outbox outbox_;
};

}  // namespace chat
