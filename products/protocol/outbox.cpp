#include "products/protocol/outbox.h"

#include <algorithm>
#include <climits>

namespace chat {

Outbox::Flush Outbox::flush(SOCKET socket)
{
    while (!empty()) {
        const int chunk = static_cast<int>(std::min<std::size_t>(pendingBytes(), INT_MAX));
        const int sent = send(socket, buffer_.data() + sent_, chunk, 0);
        if (sent == SOCKET_ERROR) {
            if (WSAGetLastError() != WSAEWOULDBLOCK)
                return Flush::Failed;
            // Drop what went out, so a peer that is always behind does not
            // keep every byte ever sent to it.
            buffer_.erase(0, sent_);
            sent_ = 0;
            return Flush::Pending;
        }
        sent_ += static_cast<std::size_t>(sent);
    }
    buffer_.clear();
    sent_ = 0;
    return Flush::Done;
}

}  // namespace chat
