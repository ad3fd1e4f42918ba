#pragma once
// The servers the fetch tests talk to on 127.0.0.1, and what they recorded.
// testdata/net_servers.py starts them for a ctest run (a fixture) and writes
// their ports and paths to the file that TAVRIMO_NET_SERVERS names.

#include <string>
#include <vector>

#include "host/types.h"

std::string readFile(const std::string& path);

// A value of the fixture: the port of a listener ("plain", "trusted",
// "untrusted", "nginx"), "log" or "trusted_certificate" (Windows paths).
std::string fixtureValue(const std::string& name);

// "127.0.0.1:PORT" of a listener.
Text hostAndPort(const std::string& listener);

// The scripted server's body bytes (pattern() in testdata/scripted_server.py):
// different at every offset within 251 bytes, with a NUL in each 251.
ByteSet pattern(std::size_t size);

// The request heads one listener of the scripted server has recorded since
// this object was made, in the order their connections were accepted. A
// connection that sent no request (a refused certificate) gives an empty head.
class WireLog {
public:
    explicit WireLog(std::string listener);
    std::vector<std::string> since() const;

private:
    std::string record(int n) const;
    bool exists(int n) const;

    std::string listener_;
    int seen_ = 0;
};

// The request line, then the header lines, of a request head.
std::vector<std::string> headLines(const std::string& head);
