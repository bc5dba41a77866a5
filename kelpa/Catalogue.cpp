// One line per class: adding a class means adding it here and to idl/.
#include "kelpa/Catalogue.h"

#include "kelpa_h.h"
#include "core/MeObject.h"
#include "dialogs/MInputBoxObject.h"
#include "dialogs/CheckListObject.h"
#include "dialogs/DTPickObject.h"
#include "dialogs/DriveListObject.h"
#include "dialogs/ListObject.h"
#include "dialogs/MessageBoxObject.h"
#include "dialogs/TaskDialogObject.h"
#include "files/BinFileObject.h"
#include "files/DateTimeObject.h"
#include "files/FileObject.h"
#include "files/FileSelectionObject.h"
#include "files/RegistryObject.h"
#include "sysinfo/NoiseObject.h"
#include "sysinfo/OsVersionObject.h"
#include "sysinfo/SystemObject.h"
#include "utilities/AuxObject.h"
#include "utilities/ClipboardObject.h"
#include "utilities/EventLogObject.h"
#include "utilities/ProfileObject.h"
#include "windows/ClockObject.h"
#include "windows/ProgressWindowObject.h"
#include "windows/TextWindowObject.h"
#include "windows/NoticeObject.h"
#include "windows/ProgressDialogObject.h"

namespace kelpa {
namespace {

const ClassEntry kClasses[] = {
    {L"Profile", CLSID_Profile, IID__Profile, Instancing::MultiUse, &ProfileObject::CreateInstance},
    {L"BinFile", CLSID_BinFile, IID__BinFile, Instancing::NotCreatable, &BinFileObject::CreateInstance},
    {L"File", CLSID_File, IID__File, Instancing::MultiUse, &FileObject::CreateInstance},
    {L"DateTime", CLSID_DateTime, IID__DateTime, Instancing::MultiUse, &DateTimeObject::CreateInstance},
    {L"Me", CLSID_Me, IID__Me, Instancing::MultiUse, &MeObject::CreateInstance},
    {L"EventLog", CLSID_EventLog, IID__EventLog, Instancing::MultiUse, &EventLogObject::CreateInstance},
    {L"Clipboard", CLSID_Clipboard, IID__Clipboard, Instancing::MultiUse, &ClipboardObject::CreateInstance},
    {L"Registry", CLSID_Registry, IID__Registry, Instancing::MultiUse, &RegistryObject::CreateInstance},
    {L"System", CLSID_System, IID__System, Instancing::MultiUse, &SystemObject::CreateInstance},
    {L"OsVersion", CLSID_OsVersion, IID__OsVersion, Instancing::MultiUse, &OsVersionObject::CreateInstance},
    {L"Noise", CLSID_Noise, IID__Noise, Instancing::MultiUse, &NoiseObject::CreateInstance},
    {L"Aux", CLSID_Aux, IID__Aux, Instancing::MultiUse, &AuxObject::CreateInstance},
    {L"MessageBox", CLSID_MessageBox, IID__MessageBox, Instancing::MultiUse, &MessageBoxObject::CreateInstance},
    {L"MInputBox", CLSID_MInputBox, IID__MInputBox, Instancing::MultiUse, &MInputBoxObject::CreateInstance},
    {L"Clock", CLSID_Clock, IID__Clock, Instancing::MultiUse, &ClockObject::CreateInstance},
    {L"Window", CLSID_Window, IID__Window, Instancing::MultiUse, &WindowObject::CreateInstance},
    {L"Window2", CLSID_Window2, IID__Window2, Instancing::MultiUse, &Window2Object::CreateInstance},
    {L"ProgressWindow", CLSID_ProgressWindow, IID__ProgressWindow, Instancing::MultiUse, &ProgressWindowObject::CreateInstance},
    {L"Notice", CLSID_Notice, IID__Notice, Instancing::MultiUse, &NoticeObject::CreateInstance},
    {L"List", CLSID_List, IID__List, Instancing::MultiUse, &ListObject::CreateInstance},
    {L"CheckList", CLSID_CheckList, IID__CheckList, Instancing::MultiUse, &CheckListObject::CreateInstance},
    {L"DriveList", CLSID_DriveList, IID__DriveList, Instancing::MultiUse, &DriveListObject::CreateInstance},
    {L"DTPick", CLSID_DTPick, IID__DTPick, Instancing::MultiUse, &DTPickObject::CreateInstance},
    {L"TaskDialog", CLSID_TaskDialog, IID__TaskDialog, Instancing::MultiUse, &TaskDialogObject::CreateInstance},
    {L"FileSelection", CLSID_FileSelection, IID__FileSelection, Instancing::MultiUse, &FileSelectionObject::CreateInstance},
    {L"ProgressDialog", CLSID_ProgressDialog, IID__ProgressDialog, Instancing::MultiUse, &ProgressDialogObject::CreateInstance},
};

}  // namespace

const ServerDescription& KelpaServer() {
    static const ServerDescription server = {
        {std::begin(kClasses), std::end(kClasses)}, LIBID_Kelpa, 3, 0, L"Kelpa.",
    };
    return server;
}

}  // namespace kelpa
