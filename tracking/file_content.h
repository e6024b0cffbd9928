#pragma once
// A file's whole content, read at once or written whole or not at all. A write puts the bytes in
// a temporary file beside the target, flushes them to the disk, and only then gives that file the
// target's name: a crash, a full disk or a refused write leaves the old file as it was and no
// temporary file behind.
#include <windows.h>

#include <string>
#include <string_view>

namespace radar {

// How long a target that another program holds open is retried before the write gives up.
inline constexpr DWORD kReplaceRetryMs = 1000;

// Replaces (or creates) the file at pathW with exactly these bytes. False when the file could
// not be written; the previous content is then untouched.
bool ReplaceFileContent(const std::wstring& pathW, std::string_view bytes, DWORD retryMs = kReplaceRetryMs);

// The whole file's bytes; false when it is missing or cannot be read.
bool ReadFileContent(const std::wstring& pathW, std::string& bytes);

// The file's bytes up to the first zero byte, as text; empty when it is missing or unreadable.
std::string ReadTextFile(const std::wstring& pathW);

} // namespace radar
