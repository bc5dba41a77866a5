// Command-line reading shared by kelpa.exe and kelpac.exe.
#include "runtime/CommandLine.h"

#include <vector>

namespace kelpa {
namespace {

bool SwitchIs(const std::wstring& token, const wchar_t* name) {
    if (token.size() < 2 || (token[0] != L'/' && token[0] != L'-')) return false;
    return _wcsicmp(token.c_str() + 1, name) == 0;
}

std::vector<std::wstring> Tokens(const std::wstring& text) {
    std::vector<std::wstring> tokens;
    std::wstring current;
    for (wchar_t c : text) {
        if (c == L' ' || c == L'\t') {
            if (!current.empty()) tokens.push_back(std::move(current));
            current.clear();
        } else {
            current += c;
        }
    }
    if (!current.empty()) tokens.push_back(std::move(current));
    return tokens;
}

}  // namespace

std::wstring ArgumentPart(const std::wstring& commandLine) {
    size_t i = 0;
    if (i < commandLine.size() && commandLine[i] == L'"') {
        const size_t close = commandLine.find(L'"', 1);
        i = close == std::wstring::npos ? commandLine.size() : close + 1;
    } else {
        while (i < commandLine.size() && commandLine[i] != L' ' && commandLine[i] != L'\t') ++i;
    }
    while (i < commandLine.size() && (commandLine[i] == L' ' || commandLine[i] == L'\t')) ++i;
    return commandLine.substr(i);
}

StartMode ParseStartMode(const std::wstring& arguments) {
    if (arguments == L"/?") return StartMode::Usage;
    const std::vector<std::wstring> tokens = Tokens(arguments);
    if (tokens.empty()) return StartMode::Register;
    for (const std::wstring& token : tokens) {
        if (SwitchIs(token, L"Embedding") || SwitchIs(token, L"Automation")) return StartMode::Serve;
    }
    if (tokens.size() == 1) {
        if (SwitchIs(tokens[0], L"regserver")) return StartMode::Register;
        if (SwitchIs(tokens[0], L"unregserver")) return StartMode::Unregister;
    }
    return StartMode::Nothing;
}

}  // namespace kelpa
