// The command line of a local server: COM's start switch, the registration
// switches and the usage switch, read the same way by both programs.
#pragma once

#include <string>

namespace kelpa {

enum class StartMode { Serve, Register, Unregister, Usage, Nothing };

// The part of a command line after the program name and the blanks that
// follow it; the rest is kept exactly, trailing blanks included.
std::wstring ArgumentPart(const std::wstring& commandLine);

// What the program was asked to do. COM passes -Embedding (either switch
// character, any case); the registration switches are read the same way;
// an empty argument registers; only exactly "/?" shows the usage box.
StartMode ParseStartMode(const std::wstring& arguments);

}  // namespace kelpa
