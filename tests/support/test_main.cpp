// Entry of every test executable. On Windows the common controls are registered first, as the
// program's own entry does, so window tests create the same controls the program shows.
#include <gtest/gtest.h>

#ifdef _WIN32
#include <windows.h>
#include <commctrl.h>
#endif

int main(int argc, char** argv) {
#ifdef _WIN32
    INITCOMMONCONTROLSEX controls{sizeof(controls), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES};
    InitCommonControlsEx(&controls);
    // A crash must end the test process, not wait for someone to close an error box.
    SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX);
#endif
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
