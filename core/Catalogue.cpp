// One line per class: adding a class means adding it here and to idl/.
#include "core/Catalogue.h"

#include "kelpa_h.h"
#include "utilities/AuxObject.h"
#include "utilities/ProfileObject.h"

namespace kelpa {
namespace {

const ClassEntry kClasses[] = {
    {L"Profile", CLSID_Profile, IID__Profile, Instancing::MultiUse, &ProfileObject::CreateInstance},
    {L"Aux", CLSID_Aux, IID__Aux, Instancing::MultiUse, &AuxObject::CreateInstance},
};

}  // namespace

const ServerDescription& KelpaServer() {
    static const ServerDescription server = {
        {std::begin(kClasses), std::end(kClasses)}, LIBID_Kelpa, 3, 0, L"Kelpa.",
    };
    return server;
}

}  // namespace kelpa
