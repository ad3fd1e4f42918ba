#pragma once

// How the client's transcript shows a line from the server.

#include <string>
#include <string_view>

namespace chat {

// Empty for a verb this client does not know, so newer servers can add some.
std::string describeServerLine(std::string_view line);

}  // namespace chat
