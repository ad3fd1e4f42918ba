#pragma once

// Where the built products are: the test executables are built into
// <build>/products/tests, the products into <build>/products.

#include <string>

namespace chat::test {

std::string productsFolder();
std::string serverExePath();
std::string clientExePath();
std::string lexiconPath();

// The name the server executable has in the products folder.
std::string serverExeName();

}  // namespace chat::test
