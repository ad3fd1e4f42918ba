#include "host/files/file_handle.h"

FileHandle::~FileHandle()
{
    if (valid())
        CloseHandle(file_);
}
