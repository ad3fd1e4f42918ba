#pragma once

// The real server executable, copied into a folder of its own (with the built
// word library beside it, or without one) and started there on a free
// loopback port, with another current directory as the installer gives it.

#include "products/tests/support/child_process.h"
#include "products/tests/support/temp_folder.h"

#include <cstdint>
#include <memory>
#include <string>

namespace chat::test {

enum class WithLexicon { Yes, No };

class ServerProcess {
public:
    explicit ServerProcess(WithLexicon lexicon);

    std::uint16_t port() const { return port_; }
    const TempFolder& folder() const { return folder_; }
    // Stops the server; its log can still be read.
    void stop() { process_.reset(); }
    // What the server printed so far.
    std::string log() const;

private:
    TempFolder folder_;
    TempFolder elsewhere_;
    std::uint16_t port_;
    UniqueHandle logFile_;
    std::unique_ptr<ChildProcess> process_;
};

}  // namespace chat::test
