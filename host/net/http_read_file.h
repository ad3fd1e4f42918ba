#pragma once
// Fetching one file over HTTP or HTTPS.

#include "host/types.h"

// The body of `url` (scheme included) from one GET, exactly as received and
// whatever the status: an error page comes back like a file. Empty when no
// byte arrived for any reason; the caller cannot tell a failure from an empty file.
ByteSet httpReadFile(const Text& url);
