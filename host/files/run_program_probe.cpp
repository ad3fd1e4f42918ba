// Started by the run_program tests: records how it was started, in a file
// "run_program_probe.txt" in the directory it starts in, and exits.
// Lines: the current directory, the show command it was given, each argument.

#include <windows.h>

#include <string>

int main(int argc, char** argv)
{
    char directory[MAX_PATH] = "";
    GetCurrentDirectoryA(MAX_PATH, directory);
    STARTUPINFOA startup{};
    GetStartupInfoA(&startup);
    const int show = (startup.dwFlags & STARTF_USESHOWWINDOW) ? startup.wShowWindow : -1;

    std::string record = std::string(directory) + "\n" + std::to_string(show) + "\n";
    for (int i = 1; i < argc; ++i)
        record += std::string(argv[i]) + "\n";

    // Written aside and renamed, so a reader never sees half a record.
    const HANDLE file = CreateFileA("run_program_probe.part", GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, record.data(), static_cast<DWORD>(record.size()), &written, nullptr);
    CloseHandle(file);
    return MoveFileA("run_program_probe.part", "run_program_probe.txt") ? 0 : 1;
}
