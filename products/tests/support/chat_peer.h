#pragma once

// A test's side of a chat connection: plain blocking Winsock with a receive
// timeout, so a missing line fails the test instead of hanging it.

#include "products/protocol/line_framer.h"
#include "products/protocol/socket.h"

#include <cstdint>
#include <deque>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace chat::test {

// A line as the peer reads it: formatLine without the line end.
std::string lineOf(std::string_view verb, std::string_view argument = {});

bool hasVerb(std::string_view line, std::string_view verb);

class ChatPeer {
public:
    explicit ChatPeer(std::uint16_t port);

    bool connected() const { return static_cast<bool>(socket_); }
    void sendRaw(std::string_view bytes);
    void sendLine(std::string_view verb, std::string_view argument = {});

    // The next line from the server, or null on timeout or a closed connection.
    std::optional<std::string> nextLine();
    // Reads until the line equals expected; the lines passed over are kept in
    // skipped(). False when it never came.
    bool waitFor(std::string_view expected);
    // The same for the first line with the given verb.
    std::optional<std::string> waitForVerb(std::string_view verb);
    const std::vector<std::string>& skipped() const { return skipped_; }
    // Sends NICK and waits for the welcome.
    bool join(std::string_view nick);
    // Ends the connection with a reset, as a crashed or unplugged client does.
    void vanish();

private:
    std::optional<std::string> readUntil(const std::function<bool(const std::string&)>& wanted);

    Socket socket_;
    LineFramer framer_;
    std::deque<std::string> pending_;
    std::vector<std::string> skipped_;
};

}  // namespace chat::test
