#pragma once
// Putting files in place so that a power cut at any moment leaves either the old or the new
// content on the disk, never a renamed file whose data never got there.
#include <string>

#include "Handles.h"
#include "UpdaterContext.h"

// Moves from over to (replacing it) and writes the move through to the disk. A move that fails
// because another program holds a file open (a virus scanner, for a moment) is tried again a
// few times over about a second. On failure the last error is that of the last attempt.
bool MoveIntoPlace(const std::wstring& from, const std::wstring& to);

// Forces a written stream's data to the disk and closes it. False when the flush, the forcing
// or the close failed: the file may then lack data.
bool FlushAndClose(UniqueFile file);

// Writes the whole file through path + ".tmp": written, forced to the disk, closed, then moved
// over path. A cut at any moment leaves path with its old or its new content.
bool WriteWholeFile(const UpdaterContext& context, const std::wstring& path, const std::string& bytes);
