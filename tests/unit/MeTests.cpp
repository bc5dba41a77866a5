// Me in-process: the test program carries the same version resource as
// kelpa.exe, so the facts are those of this process.
#include <windows.h>

#include "catch.hpp"
#include "core/Me.h"
#include "runtime/Server.h"

using namespace kelpa;

TEST_CASE("Me reads the version resource of the running module", "[me]") {
    const VersionFacts facts = ReadVersionFacts(GetModuleHandleW(nullptr));
    CHECK(facts.major == 3);
    CHECK(facts.minor == 5);
    CHECK(facts.description == L"KELPA Script Helper ToolBox");
    CHECK(Me::Version() == L"3.5");
    CHECK(Me::About() == facts.description + L" by " + facts.company + L" " + facts.legalNotice);
    CHECK(Me::About() == L"KELPA Script Helper ToolBox by OLMA Copyright (C) OLMA. All rights reserved.");
}

TEST_CASE("Me reports this process, its thread, folder and parent", "[me]") {
    CHECK(Me::ProcessId() == static_cast<long>(GetCurrentProcessId()));
    CHECK(Me::ThreadId() == static_cast<long>(GetCurrentThreadId()));
    CHECK(Me::InstanceHandle() == static_cast<long>(reinterpret_cast<intptr_t>(GetModuleHandleW(nullptr))));
    const std::wstring program = ModulePath();
    const std::wstring folder = Me::Path();
    CHECK(program.compare(0, folder.size() + 1, folder + L"\\") == 0);
    CHECK(folder.back() != L'\\');
    // Started from the Unix side, a Wine process has no Windows parent (0);
    // the server's parent is checked by the script tests.
    CHECK(Me::ParentProcessId() != Me::ProcessId());
    // No call in progress: the platform has no caller to name.
    CHECK(Me::CallerThreadId() == 0);
}
