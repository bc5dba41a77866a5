// Catch2 runner for the in-process tests: one single-threaded apartment, as
// in the server.
#define CATCH_CONFIG_RUNNER
#include <windows.h>
#include <objbase.h>

#include "catch.hpp"

int main(int argc, char* argv[]) {
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    const int failures = Catch::Session().run(argc, argv);
    CoUninitialize();
    return failures;
}
