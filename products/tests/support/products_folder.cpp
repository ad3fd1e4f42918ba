#include "products/tests/support/products_folder.h"

#include "products/server/exe_folder.h"

namespace chat::test {

std::string productsFolder()
{
    return parentFolder(executableFolder());
}

std::string serverExeName()
{
    return TAVRIMO_SERVER_NAME ".exe";
}

std::string serverExePath()
{
    return productsFolder() + "\\" + serverExeName();
}

std::string clientExePath()
{
    return productsFolder() + "\\" TAVRIMO_CLIENT_NAME ".exe";
}

std::string lexiconPath()
{
    return productsFolder() + "\\reply.ini";
}

}  // namespace chat::test
