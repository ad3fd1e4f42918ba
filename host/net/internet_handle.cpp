#include "host/net/internet_handle.h"

#include <utility>

InternetHandle::~InternetHandle()
{
    if (handle_)
        InternetCloseHandle(handle_);
}

InternetHandle::InternetHandle(InternetHandle&& other) noexcept : handle_(std::exchange(other.handle_, nullptr)) {}

// The handle given up goes to `other`, which closes it.
InternetHandle& InternetHandle::operator=(InternetHandle&& other) noexcept
{
    std::swap(handle_, other.handle_);
    return *this;
}
