// The one main of every test program.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cstdlib>

// fontconfig keeps what it reads from its configuration files for the life of the process;
// that is not a leak of ours.
extern "C" const char* __lsan_default_suppressions() { return "leak:libfontconfig.so\n"; }

int main(int argc, char** argv) {
    // Tests compare against the English texts, whatever the machine's locale says.
    setenv("LANG", "C.UTF-8", 1);
    unsetenv("LANGUAGE");
    unsetenv("LC_ALL");
    unsetenv("LC_MESSAGES");
    testing::InitGoogleMock(&argc, argv);
    return RUN_ALL_TESTS();
}
