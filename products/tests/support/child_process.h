#pragma once

// A program a test starts and always stops: it runs in a job that kills it if
// the test itself dies, and the destructor terminates it.

#include "products/tests/support/unique_handle.h"

#include <windows.h>

#include <string>

namespace chat::test {

class ChildProcess {
public:
    // output, when given, receives the program's standard output and error;
    // its standard input is empty. Throws std::runtime_error when it cannot start.
    ChildProcess(const std::string& exe, const std::string& arguments, const std::string& currentFolder,
                 HANDLE output = nullptr);
    ~ChildProcess() { stop(); }
    ChildProcess(const ChildProcess&) = delete;
    ChildProcess& operator=(const ChildProcess&) = delete;

    DWORD id() const { return id_; }
    HANDLE handle() const { return process_.get(); }
    bool running() const;
    void stop();

private:
    UniqueHandle job_;
    UniqueHandle process_;
    DWORD id_ = 0;
};

}  // namespace chat::test
