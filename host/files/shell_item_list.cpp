#include "host/files/shell_item_list.h"

#include "host/files/com_ptr.h"

ShellItemList::~ShellItemList()
{
    if (!items_)
        return;
    ComPtr<IMalloc> allocator;
    if (SUCCEEDED(SHGetMalloc(reinterpret_cast<IMalloc**>(allocator.put()))))
        allocator->Free(items_);
}
