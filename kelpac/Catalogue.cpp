// One line per class, like kelpa.exe's catalogue; single use, so that every
// console has a process of its own.
#include "kelpac/Catalogue.h"

#include "console/CWindowObject.h"
#include "kelpac_h.h"

namespace kelpa {
namespace {

const ClassEntry kClasses[] = {
    {L"CWindow", CLSID_CWindow, IID__CWindow, Instancing::SingleUse, &CWindowObject::CreateInstance},
};

}  // namespace

const ServerDescription& KelpacServer() {
    static const ServerDescription server = {
        {std::begin(kClasses), std::end(kClasses)}, LIBID_KelpaC, 1, 0, L"KelpaC.",
    };
    return server;
}

}  // namespace kelpa
