#pragma once

// Rules for nicknames, checked by the server and, before connecting, by the
// client so that the user hears about a bad name at once.

#include <string_view>

namespace chat {

// Why nick cannot be used, in words for the user; empty when it can.
std::string_view nicknameProblem(std::string_view nick);

// Nicknames that differ only in the case of ASCII letters are the same person.
bool sameNickname(std::string_view a, std::string_view b);

}  // namespace chat
