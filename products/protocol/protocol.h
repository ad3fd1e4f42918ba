#pragma once

// Limits and the default port shared by the chat server, the chat client and
// their tests. The wire format itself is described in products/README.md.

#include <cstddef>
#include <cstdint>

namespace chat {

inline constexpr std::uint16_t kDefaultPort = 9527;

// Longest line either side accepts, without its line end. Anything longer is
// discarded whole so that one peer cannot make the other buffer without bound.
inline constexpr std::size_t kMaxLineBytes = 1024;

// Longest chat text and nickname; with the verb and the sender's name a relayed
// message still fits in one line.
inline constexpr std::size_t kMaxTextBytes = 500;
inline constexpr std::size_t kMaxNickBytes = 20;

}  // namespace chat
