// One line per class: adding a class means adding it here and to idl/.
#include "core/Catalogue.h"

#include "kelpa_h.h"
#include "utilities/ProfileObject.h"
#include "dialogs/MessageBoxObject.h"
#include "windows/ClockObject.h"

namespace kelpa {
namespace {

const ClassEntry kClasses[] = {
    {L"Profile", CLSID_Profile, IID__Profile, Instancing::MultiUse, &ProfileObject::CreateInstance},
    {L"MessageBox", CLSID_MessageBox, IID__MessageBox, Instancing::MultiUse, &MessageBoxObject::CreateInstance},
    {L"Clock", CLSID_Clock, IID__Clock, Instancing::MultiUse, &ClockObject::CreateInstance},
};

}  // namespace

const ServerDescription& KelpaServer() {
    static const ServerDescription server = {
        {std::begin(kClasses), std::end(kClasses)}, LIBID_Kelpa, 3, 0, L"Kelpa.",
    };
    return server;
}

}  // namespace kelpa
