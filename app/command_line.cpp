#include "app/command_line.h"

#include <windows.h>
#include <shellapi.h>

#include "win/code_page.h"

namespace radar {

CommandLineOptions ParseCommandLine(const std::vector<std::wstring>& arguments) {
    CommandLineOptions options;
    for (size_t i = 0; i < arguments.size(); ++i) {
        const std::wstring& argument = arguments[i];
        if (argument == L"--service" && i + 1 < arguments.size()) {
            options.serviceBase = ToGbk(arguments[++i]);
        } else if (argument.rfind(L"--service=", 0) == 0) {
            options.serviceBase = ToGbk(argument.substr(10));
        }
    }
    return options;
}

std::vector<std::wstring> ProcessArguments() {
    std::vector<std::wstring> arguments;
    int count = 0;
    LPWSTR* argv = CommandLineToArgvW(GetCommandLineW(), &count);
    if (!argv) return arguments;
    for (int i = 1; i < count; ++i)
        arguments.emplace_back(argv[i]);
    LocalFree(argv);
    return arguments;
}

} // namespace radar
