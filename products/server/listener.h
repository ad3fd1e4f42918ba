#pragma once

#include "products/protocol/socket.h"
#include "products/server/server_options.h"

namespace chat {

// A non-blocking listening socket; throws std::runtime_error with the reason
// for the user when the address is bad or the port is taken.
Socket openListener(const ServerOptions& options);

}  // namespace chat
