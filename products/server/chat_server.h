#pragma once

// The server's network loop: one thread, WSAPoll over the listening socket and
// every client, non-blocking sockets throughout. Each turn reads at most one
// buffer from each ready client, so a client that floods gets its share and no
// more; output to a client that reads too slowly piles up only to a limit,
// after which that client is dropped.

#include "products/protocol/line_framer.h"
#include "products/protocol/outbox.h"
#include "products/protocol/socket.h"
#include "products/server/chat_room.h"

#include <map>

namespace chat {

class ChatServer final : public RoomHost {
public:
    ChatServer(Socket listener, const Lexicon* lexicon);

    // Serves until polling itself fails, which it reports.
    void run();

    void deliver(ClientId to, std::string_view line) override;
    void hangUp(ClientId who) override;
    void log(std::string_view text) override;

private:
    struct Connection {
        Socket socket;
        std::string peer;
        LineFramer framer;
        Outbox outbox;
        bool hangingUp = false;
        bool dead = false;
    };

    void acceptNewcomers();
    void flushAll();
    void serve(ClientId id, Connection& connection, short events);
    void readOnce(ClientId id, Connection& connection);
    void flush(Connection& connection);
    void drop(Connection& connection, std::string_view why);
    void buryDead();

    Socket listener_;
    ChatRoom room_;
    std::map<ClientId, Connection> connections_;
    ClientId nextId_ = 1;
};

}  // namespace chat
