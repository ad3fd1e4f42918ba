#pragma once

// Bytes waiting to go out on a non-blocking socket. A peer that reads slowly
// never blocks the sender; the owner decides when the backlog is too large.

#include <winsock2.h>

#include <cstddef>
#include <string>
#include <string_view>

namespace chat {

class Outbox {
public:
    enum class Flush { Done, Pending, Failed };

    void push(std::string_view bytes) { buffer_.append(bytes); }

    // Sends what the socket takes now. Failed means the connection is broken.
    Flush flush(SOCKET socket);

    std::size_t pendingBytes() const { return buffer_.size() - sent_; }
    bool empty() const { return pendingBytes() == 0; }

private:
    std::string buffer_;
    std::size_t sent_ = 0;
};

}  // namespace chat
