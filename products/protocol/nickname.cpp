#include "products/protocol/nickname.h"

#include "products/protocol/gbk_text.h"
#include "products/protocol/protocol.h"

namespace chat {

std::string_view nicknameProblem(std::string_view nick)
{
    if (nick.empty())
        return "昵称不能为空";
    if (nick.size() > kMaxNickBytes)
        return "昵称太长：最多 20 个字节（10 个汉字）";
    switch (checkText(nick)) {
    case TextProblem::InvalidGbk:
        return "昵称含有无效的 GBK 字节";
    case TextProblem::ControlCharacter:
        return "昵称不能含有控制字符";
    case TextProblem::None:
        break;
    }
    // A space would make "MSG nick text" ambiguous.
    if (nick.find(' ') != std::string_view::npos)
        return "昵称不能含有空格";
    return {};
}

bool sameNickname(std::string_view a, std::string_view b)
{
    return foldAsciiCase(a) == foldAsciiCase(b);
}

}  // namespace chat
