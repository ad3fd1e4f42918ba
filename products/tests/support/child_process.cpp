#include "products/tests/support/child_process.h"

#include <stdexcept>

namespace chat::test {

ChildProcess::ChildProcess(const std::string& exe, const std::string& arguments, const std::string& currentFolder,
                           HANDLE output)
    : job_(CreateJobObjectA(nullptr, nullptr))
{
    JOBOBJECT_EXTENDED_LIMIT_INFORMATION limits{};
    limits.BasicLimitInformation.LimitFlags = JOB_OBJECT_LIMIT_KILL_ON_JOB_CLOSE;
    if (!job_ || !SetInformationJobObject(job_.get(), JobObjectExtendedLimitInformation, &limits, sizeof limits))
        throw std::runtime_error("cannot create a job object");

    SECURITY_ATTRIBUTES inheritable{sizeof inheritable, nullptr, TRUE};
    UniqueHandle nul(CreateFileA("NUL", GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, OPEN_EXISTING, 0, nullptr));
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    if (output) {
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdInput = nul.get();
        startup.hStdOutput = output;
        startup.hStdError = output;
    }
    std::string commandLine = "\"" + exe + "\" " + arguments;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(exe.c_str(), commandLine.data(), nullptr, nullptr, output != nullptr,
                        CREATE_SUSPENDED | CREATE_NO_WINDOW, nullptr, currentFolder.c_str(), &startup, &started))
        throw std::runtime_error("cannot start " + exe + " (error " + std::to_string(GetLastError()) + ")");
    process_ = UniqueHandle(started.hProcess);
    const UniqueHandle thread(started.hThread);
    id_ = started.dwProcessId;
    AssignProcessToJobObject(job_.get(), process_.get());
    ResumeThread(thread.get());
}

bool ChildProcess::running() const
{
    return process_ && WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

void ChildProcess::stop()
{
    if (!process_)
        return;
    TerminateProcess(process_.get(), 0);
    WaitForSingleObject(process_.get(), 10000);
    process_.reset();
}

}  // namespace chat::test
