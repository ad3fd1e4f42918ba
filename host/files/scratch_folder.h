#pragma once
// For tests: a folder of their own under the temporary folder, removed with
// everything in it (read-only files too) when the test is done.

#include "host/types.h"

class ScratchFolder {
public:
    ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;
    ~ScratchFolder();

    // Without a trailing backslash.
    const Text& path() const { return path_; }
    // The path of `name` inside the folder.
    Text operator/(const Text& name) const { return path_ + "\\" + name; }

private:
    Text path_;
};

// For tests: puts `content` into a new file; false when it could not.
bool putFile(const Text& path, const Text& content);

// For tests: the file's bytes, empty when it cannot be read.
Text fileContent(const Text& path);
