#pragma once
// Unpacking a ZIP archive file into a folder (the ZipExtractor component's
// extractArchive).

#include <optional>

#include "host/types.h"

// Extracts every entry of the archive at `archive` into `destination`, in
// central-directory order, creating the destination and every missing level
// of it first. Each file is written beside its final name and put in place
// only once its data is complete and its CRC-32 checked, so an entry that
// fails leaves any file it would replace as it was.
//
// 1: the entries were worked through to the end of the list (an entry whose
//    records cannot be read ends the list).
// 0: the archive exists but the extraction failed: the destination cannot be
//    created, the file is no ZIP archive, or an entry failed (it cannot be
//    written, its data is damaged, or its name leads outside the destination);
//    entries extracted before it stay, later ones are not extracted.
// -1: an argument is missing, or nothing exists at the archive path; then
//    nothing is created.
int extractArchive(const std::optional<Text>& archive, const std::optional<Text>& destination);
