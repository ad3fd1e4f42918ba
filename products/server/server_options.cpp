#include "products/server/server_options.h"

#include "products/protocol/protocol.h"

#include <charconv>
#include <string_view>

namespace chat {

std::optional<ServerOptions> parseServerOptions(int argc, const char* const* argv, const std::string& defaultAddress)
{
    ServerOptions options{kDefaultPort, defaultAddress};
    if (argc > 3)
        return std::nullopt;
    if (argc > 1) {
        const std::string_view text = argv[1];
        unsigned port = 0;
        const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), port);
        if (error != std::errc{} || end != text.data() + text.size() || port == 0 || port > 65535)
            return std::nullopt;
        options.port = static_cast<std::uint16_t>(port);
    }
    if (argc > 2)
        options.address = argv[2];
    return options;
}

}  // namespace chat
