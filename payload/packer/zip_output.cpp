#include "zip_output.h"

#include <utility>

ZipOutput::ZipOutput(const std::string& path) : file_(zipOpen64(path.c_str(), APPEND_STATUS_CREATE)) {}

ZipOutput::~ZipOutput()
{
    close();
}

bool ZipOutput::close()
{
    zipFile file = std::exchange(file_, nullptr);
    return file != nullptr && zipClose(file, nullptr) == ZIP_OK;
}
