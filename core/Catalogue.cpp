// One line per class: adding a class means adding it here and to idl/.
#include "core/Catalogue.h"

#include "kelpa_h.h"
#include "utilities/ProfileObject.h"
#include "files/BinFileObject.h"
#include "files/FileObject.h"
#include "files/DateTimeObject.h"
#include "core/MeObject.h"

namespace kelpa {
namespace {

const ClassEntry kClasses[] = {
    {L"Profile", CLSID_Profile, IID__Profile, Instancing::MultiUse, &ProfileObject::CreateInstance},
    {L"BinFile", CLSID_BinFile, IID__BinFile, Instancing::NotCreatable, &BinFileObject::CreateInstance},
    {L"File", CLSID_File, IID__File, Instancing::MultiUse, &FileObject::CreateInstance},
    {L"DateTime", CLSID_DateTime, IID__DateTime, Instancing::MultiUse, &DateTimeObject::CreateInstance},
    {L"Me", CLSID_Me, IID__Me, Instancing::MultiUse, &MeObject::CreateInstance},
};

}  // namespace

const ServerDescription& KelpaServer() {
    static const ServerDescription server = {
        {std::begin(kClasses), std::end(kClasses)}, LIBID_Kelpa, 3, 0, L"Kelpa.",
    };
    return server;
}

}  // namespace kelpa
