#pragma once
// The three archives the wizard installs, each a whole ZIP file held in the
// program's read-only data as a ByteSet in its stored form.

#include "host/types.h"

extern const ByteView ServerArchive;  // one entry: "聊天室服务器.exe"
extern const ByteView ClientArchive;  // one entry: "聊天室客户端.exe"
extern const ByteView LexiconArchive; // one entry: "reply.ini"
