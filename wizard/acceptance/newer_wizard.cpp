// Test tool: stands in for a newer wizard inside an update archive.
// Next to itself it writes "newer-wizard-started.txt" holding its own path,
// then stays alive until "newer-wizard-stop.txt" appears there (at most a
// minute, so a forgotten copy ends by itself) and answers it with
// "newer-wizard-ended.txt": a test sees that it runs, and stops it.
#include <windows.h>

#include <string>

namespace {

std::string besideMe(const std::string& self, const char* name)
{
    // Cut after the last backslash, stepping over two-byte characters whose
    // second byte may look like one.
    const char* cut = self.c_str();
    for (const char* p = self.c_str(); *p; p = CharNextA(p))
        if (*p == '\\')
            cut = p + 1;
    return self.substr(0, std::size_t(cut - self.c_str())) + name;
}

void writeText(const std::string& path, const std::string& text)
{
    HANDLE file = CreateFileA(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (file == INVALID_HANDLE_VALUE)
        return;
    DWORD written = 0;
    WriteFile(file, text.data(), DWORD(text.size()), &written, nullptr);
    CloseHandle(file);
}

} // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    char self[MAX_PATH];
    const DWORD length = GetModuleFileNameA(nullptr, self, MAX_PATH);
    if (length == 0 || length >= MAX_PATH)
        return 1;
    writeText(besideMe(self, "newer-wizard-started.txt"), self);

    const std::string stop = besideMe(self, "newer-wizard-stop.txt");
    for (int waited = 0; waited < 60000; waited += 100) {
        if (GetFileAttributesA(stop.c_str()) != INVALID_FILE_ATTRIBUTES) {
            writeText(besideMe(self, "newer-wizard-ended.txt"), "");
            return 0;
        }
        Sleep(100);
    }
    return 0;
}
