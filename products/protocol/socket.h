#pragma once

// Owners for Winsock resources: the library session and one socket.

#include <winsock2.h>

#include <string>

namespace chat {

// WSAStartup for the lifetime of the object; throws std::runtime_error on failure.
class WinsockSession {
public:
    WinsockSession();
    ~WinsockSession();
    WinsockSession(const WinsockSession&) = delete;
    WinsockSession& operator=(const WinsockSession&) = delete;
};

class Socket {
public:
    Socket() = default;
    explicit Socket(SOCKET handle) : handle_(handle) {}
    ~Socket() { reset(); }
    Socket(Socket&& other) noexcept : handle_(other.release()) {}
    Socket& operator=(Socket&& other) noexcept;
    Socket(const Socket&) = delete;
    Socket& operator=(const Socket&) = delete;

    SOCKET get() const { return handle_; }
    explicit operator bool() const { return handle_ != INVALID_SOCKET; }
    SOCKET release();
    void reset();

private:
    SOCKET handle_ = INVALID_SOCKET;
};

bool setNonBlocking(SOCKET socket);

// "127.0.0.1:50123" for the far end of a connected socket.
std::string peerName(SOCKET socket);

// A Winsock error code in words for the user, with the code for support.
std::string socketErrorText(int error);

}  // namespace chat
