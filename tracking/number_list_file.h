#pragma once
// The numbers box's text, stored byte for byte in "快递单号.txt" beside the executable.
#include <string>

namespace radar {

// Full path of the file (GBK), in the executable's folder.
std::string NumberListPath();

// The file's text up to its first zero byte; empty when the file is missing or unreadable.
std::string ReadNumberListFile();

// Replaces the file's content by text's bytes; false when it could not be written.
bool SaveNumberListFile(const std::string& text);

} // namespace radar
