#pragma once
// The numbers box's text, stored byte for byte in "快递单号.txt" beside the executable.
#include <string>

namespace radar {

// Full path of the file (GBK), in the executable's folder.
std::string NumberListPath();

// The file's text up to its first zero byte; empty when the file is missing or unreadable.
std::string ReadNumberListFile();

// Replaces the file's whole content by the text's bytes (GBK, nothing added), atomically: a
// failed or interrupted save leaves the previous list. False when the list could not be kept;
// the caller goes on either way.
bool SaveNumberListFile(const std::string& text);

} // namespace radar
