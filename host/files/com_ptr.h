#pragma once
// Owns one reference to a COM interface and releases it when it goes.

#include <unknwn.h>

template <typename T>
class ComPtr {
public:
    ComPtr() = default;
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    ~ComPtr()
    {
        if (pointer_)
            pointer_->Release();
    }

    // Where a creating call stores the new reference; only on an empty ComPtr.
    void** put() { return reinterpret_cast<void**>(&pointer_); }

    T* operator->() const { return pointer_; }
    explicit operator bool() const { return pointer_ != nullptr; }

private:
    T* pointer_ = nullptr;
};
