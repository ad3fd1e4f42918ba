#pragma once

// The verbs of the chat protocol and the shape of one line: an ASCII verb, then
// after one space its argument. See products/README.md.

#include <string>
#include <string_view>

namespace chat {

namespace verb {
// Client to server.
inline constexpr std::string_view Nick = "NICK";
inline constexpr std::string_view Say = "SAY";
inline constexpr std::string_view Quit = "QUIT";
// Server to client.
inline constexpr std::string_view Welcome = "WELCOME";
inline constexpr std::string_view Users = "USERS";
inline constexpr std::string_view Join = "JOIN";
inline constexpr std::string_view Leave = "LEAVE";
inline constexpr std::string_view Msg = "MSG";
inline constexpr std::string_view Bot = "BOT";
inline constexpr std::string_view Err = "ERR";
}  // namespace verb

struct Words {
    std::string_view first;
    std::string_view rest;  // everything after the first space
};

// Splits at the first space: "MSG 张三 你 好" gives "MSG" and "张三 你 好".
Words splitFirstWord(std::string_view line);

// One line ready to send, ending in CR LF: "VERB argument" or just "VERB".
std::string formatLine(std::string_view verb, std::string_view argument = {});

}  // namespace chat
