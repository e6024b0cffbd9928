#pragma once
// The program's command-line options.
//   --service URL   reach the tracking service, the feed and the counter page at URL
//                   (the bundled local service: --service http://127.0.0.1:PORT)
#include <string>
#include <vector>

namespace radar {

struct CommandLineOptions {
    std::string serviceBase; // empty: the build's addresses
};

// Options from the arguments after the program's name; unknown ones are ignored.
CommandLineOptions ParseCommandLine(const std::vector<std::wstring>& arguments);
// The process's own arguments, after the program's name.
std::vector<std::wstring> ProcessArguments();

} // namespace radar
