#include "products/client/server_line_text.h"

#include "products/protocol/gbk_text.h"
#include "products/protocol/wire.h"

namespace chat {

namespace {

std::string listNames(std::string_view names)
{
    std::string listed;
    for (char c : names) {
        if (c == ' ')
            listed += "、";
        else
            listed += c;
    }
    return listed;
}

}  // namespace

std::string describeServerLine(std::string_view line)
{
    // The edit control would show control bytes as boxes or break lines on them.
    if (checkText(line) != TextProblem::None)
        return "！！ 收到一行无法显示的内容，已忽略";
    const auto [verbWord, rest] = splitFirstWord(line);
    const std::string argument(rest);
    if (verbWord == verb::Msg) {
        const auto [nick, text] = splitFirstWord(rest);
        return std::string(nick) + "：" + std::string(text);
    }
    if (verbWord == verb::Bot)
        return "【小助手】" + argument;
    if (verbWord == verb::Join)
        return "*** " + argument + " 进入了聊天室";
    if (verbWord == verb::Leave)
        return "*** " + argument + " 离开了聊天室";
    if (verbWord == verb::Users)
        return "*** 在线：" + listNames(rest);
    if (verbWord == verb::Welcome)
        return "*** 欢迎你，" + argument + "！已进入聊天室，在下面输入文字，按回车发送";
    if (verbWord == verb::Err)
        return "！！ 服务器提示：" + argument;
    return {};
}

}  // namespace chat
