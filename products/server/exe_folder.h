#pragma once

// The folder of the running executable. The server is often started with some
// other current directory (a shortcut, an installer's finish page), so files
// that ship beside it are found from here.

#include <string>
#include <string_view>

namespace chat {

// "C:\Program Files\Tavrimo" for "C:\Program Files\Tavrimo\server.exe"; empty
// when path has no folder part. Looks for the separator character by
// character: in GBK a backslash byte can be the second half of a character.
std::string parentFolder(std::string_view path);

std::string executableFolder();

}  // namespace chat
