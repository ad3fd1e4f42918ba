#include "products/protocol/line_framer.h"

namespace chat {

LineFramer::LineFramer(std::size_t maxLineBytes) : maxLineBytes_(maxLineBytes) {}

std::vector<FramedLine> LineFramer::feed(std::string_view bytes)
{
    std::vector<FramedLine> lines;
    while (!bytes.empty()) {
        const std::size_t lf = bytes.find('\n');
        const std::string_view piece = bytes.substr(0, lf);
        // One byte over the cap is allowed for the CR of a CR LF line end.
        if (!discarding_ && partial_.size() + piece.size() <= maxLineBytes_ + 1)
            partial_.append(piece);
        else {
            discarding_ = true;
            partial_.clear();
        }
        if (lf == std::string_view::npos)
            break;
        if (!partial_.empty() && partial_.back() == '\r')
            partial_.pop_back();
        if (discarding_ || partial_.size() > maxLineBytes_)
            lines.push_back({{}, true});
        else
            lines.push_back({std::move(partial_), false});
        partial_.clear();
        discarding_ = false;
        bytes.remove_prefix(lf + 1);
    }
    return lines;
}

}  // namespace chat
