#include "host/files/find_handle.h"

FindHandle::~FindHandle()
{
    if (valid())
        FindClose(search_);
}
