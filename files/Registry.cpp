// Registry reader. Every key opened here is owned by an OpenedKey on the
// stack, so each one is closed before the member returns, on every path out
// of the search walk as well.
#include "files/Registry.h"

#include <cwctype>

#include "runtime/UniqueHandle.h"

namespace kelpa {
namespace {

// A key opened under a parent. RegOpenKeyExW with an empty subkey may hand
// back the parent itself (a predefined root): that one is borrowed, not owned.
class OpenedKey {
public:
    LONG Open(HKEY parent, const std::wstring& subkey, REGSAM access) noexcept {
        HKEY key = nullptr;
        const LONG status = RegOpenKeyExW(parent, subkey.c_str(), 0, access, &key);
        if (status != ERROR_SUCCESS) return status;
        if (key == parent)
            m_key = key;
        else
            m_owned.reset(m_key = key);
        return status;
    }
    HKEY get() const noexcept { return m_key; }

private:
    unique_hkey m_owned;
    HKEY m_key = nullptr;
};

bool IsStringType(DWORD type) { return type == REG_SZ || type == REG_EXPAND_SZ || type == REG_MULTI_SZ; }
bool IsReadableType(DWORD type) {
    return IsStringType(type) || type == REG_DWORD || type == REG_BINARY || type == REG_QWORD;
}

// Reads a value whole. The size is asked first; when the value grows between
// the two calls the read is tried again with the new size.
LONG ReadValue(HKEY key, const std::wstring& name, DWORD& type, std::vector<BYTE>& data) {
    for (int attempt = 0; attempt < 8; ++attempt) {
        DWORD size = 0;
        LONG status = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
        if (status != ERROR_SUCCESS && status != ERROR_MORE_DATA) return status;
        if (!IsReadableType(type)) return ERROR_SUCCESS;
        // Two spare zero bytes: string data need not end in a NUL, nor have an even length.
        data.assign(size + 2, 0);
        DWORD got = size;
        status = RegQueryValueExW(key, name.c_str(), nullptr, &type, data.data(), &got);
        if (status == ERROR_MORE_DATA) continue;
        if (status != ERROR_SUCCESS) return status;
        data.resize(got);
        return ERROR_SUCCESS;
    }
    return ERROR_MORE_DATA;
}

// UTF-16 units of string data; an odd last byte is half a character and dropped.
std::wstring UnitsOf(const std::vector<BYTE>& data) {
    std::wstring text(data.size() / 2, L'\0');
    if (!text.empty()) memcpy(&text[0], data.data(), text.size() * sizeof(wchar_t));
    return text;
}

// The string without its terminating NUL (when it has one).
std::wstring DropTerminator(std::wstring text) {
    if (!text.empty() && text.back() == L'\0') text.pop_back();
    return text;
}

std::wstring Expand(const std::wstring& text) {
    const DWORD needed = ExpandEnvironmentStringsW(text.c_str(), nullptr, 0);
    if (needed == 0) return std::wstring();
    std::wstring buffer(needed, L'\0');
    const DWORD got = ExpandEnvironmentStringsW(text.c_str(), &buffer[0], needed);
    if (got == 0 || got > needed) return std::wstring();
    return buffer.substr(0, buffer.find(L'\0'));
}

// The items of REG_MULTI_SZ data. An empty list (no data, or nothing but
// NULs) has no items; otherwise the text is split at every NUL and the empty
// piece after the final terminator is dropped.
std::vector<std::wstring> SplitMulti(const std::wstring& text) {
    std::vector<std::wstring> items;
    if (text.find_first_not_of(L'\0') == std::wstring::npos) return items;
    size_t start = 0;
    for (;;) {
        const size_t nul = text.find(L'\0', start);
        if (nul == std::wstring::npos) {
            if (start < text.size()) items.push_back(text.substr(start));
            break;
        }
        items.push_back(text.substr(start, nul - start));
        start = nul + 1;
    }
    return items;
}

std::wstring Upper(std::wstring text) {
    for (wchar_t& c : text) c = static_cast<wchar_t>(std::towupper(c));
    return text;
}

// The working state of one Search call.
class SearchWalk {
public:
    SearchWalk(const std::wstring& item, long itemType, long depthLimit, long wanted, REGSAM access,
               const std::wstring& rootName)
        : m_item(item), m_itemType(itemType), m_depthLimit(depthLimit), m_wanted(wanted), m_access(access),
          m_paths(static_cast<size_t>(depthLimit) + 2) {
        m_paths[0] = Upper(rootName);
    }

    // Searches the key `name` under `parent`, entered from `level`; true when
    // the wanted match was found (Found() then holds the result).
    bool Key(HKEY parent, const std::wstring& name, long level) {
        ++level;
        m_paths[level] = name.empty() ? m_paths[level - 1] : m_paths[level - 1] + L'\\' + name;
        OpenedKey key;
        if (key.Open(parent, name, m_access) != ERROR_SUCCESS) return false;
        if (m_itemType != 0 && Values(key.get(), level)) return true;

        wchar_t subkey[512];
        for (DWORD index = 0;; ++index) {
            DWORD length = ARRAYSIZE(subkey);
            if (RegEnumKeyExW(key.get(), index, subkey, &length, nullptr, nullptr, nullptr, nullptr) !=
                ERROR_SUCCESS)
                break;
            const std::wstring child(subkey, length);
            if (m_itemType == 0 && child == m_item && Counts()) {
                m_found = m_paths[level] + L'\\' + m_item;
                return true;
            }
            if (level < m_depthLimit && Key(key.get(), child, level)) return true;
        }
        return false;
    }

    const std::wstring& Found() const noexcept { return m_found; }

private:
    // Counts one match; true when it is the one wanted.
    bool Counts() noexcept { return m_counter++ == m_wanted; }

    // Only a name or data too long for the buffers is skipped; any other
    // failure ends the loop, since a key that went away fails every index.
    bool Values(HKEY key, long level) {
        // Names are compared case-sensitively, but the registry looks them up
        // without regard to case: a key that has no value of that name in
        // any case (nearly every key) needs no enumeration at all. This one
        // query per key is what keeps the walk as fast as reg.exe's.
        if (m_itemType == 1 &&
            RegQueryValueExW(key, m_item.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_FILE_NOT_FOUND)
            return false;
        std::vector<wchar_t> name(2048);
        std::vector<BYTE> data(m_itemType == 2 ? 4096 + sizeof(wchar_t) : 0);
        for (DWORD index = 0;; ++index) {
            DWORD nameLength = static_cast<DWORD>(name.size());
            DWORD type = 0;
            LONG status;
            DWORD dataSize = 4096;
            if (m_itemType == 2) {
                std::fill(data.begin(), data.end(), 0);
                status = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, &type, data.data(), &dataSize);
            } else {
                status = RegEnumValueW(key, index, name.data(), &nameLength, nullptr, nullptr, nullptr, nullptr);
            }
            if (status == ERROR_MORE_DATA) continue;
            if (status != ERROR_SUCCESS) return false;
            const std::wstring valueName(name.data(), nameLength);
            if (m_itemType == 1) {
                if (valueName == m_item && Counts()) {
                    m_found = m_paths[level] + L'\\' + m_item;
                    return true;
                }
            } else if (type == REG_SZ && dataSize >= 3) {
                // The spare zero unit after the buffer guarantees an end.
                const wchar_t* text = reinterpret_cast<const wchar_t*>(data.data());
                if (m_item == text && Counts()) {
                    m_found = m_paths[level] + L'\\' + valueName;
                    return true;
                }
            }
        }
    }

    const std::wstring& m_item;
    long m_itemType;
    long m_depthLimit;
    long m_wanted;
    REGSAM m_access;
    long m_counter = 0;
    std::vector<std::wstring> m_paths;  // the path of each level, 0 being the root
    std::wstring m_found;
};

}  // namespace

HKEY RootKeyOf(const std::wstring& name) {
    const std::wstring upper = Upper(name);
    if (upper == L"HKEY_CLASSES_ROOT" || upper == L"HKCR") return HKEY_CLASSES_ROOT;
    if (upper == L"HKEY_CURRENT_USER" || upper == L"HKCU") return HKEY_CURRENT_USER;
    if (upper == L"HKEY_LOCAL_MACHINE" || upper == L"HKLM") return HKEY_LOCAL_MACHINE;
    if (upper == L"HKEY_USERS" || upper == L"HKU") return HKEY_USERS;
    if (upper == L"HKEY_CURRENT_CONFIG" || upper == L"HKCC") return HKEY_CURRENT_CONFIG;
    return nullptr;
}

RegistryPath SplitRegistryPath(const std::wstring& path) {
    RegistryPath split;
    const size_t slash = path.find(L'\\');
    split.rootName = path.substr(0, slash);
    if (slash != std::wstring::npos) split.rest = path.substr(slash + 1);
    split.root = RootKeyOf(split.rootName);
    return split;
}

bool NormaliseRegistryPath(std::wstring& path) {
    if (path.empty() || path == L"\\") return false;
    if (path.back() == L'\\') path.pop_back();
    return true;
}

void Registry::SetItemType(long value) noexcept {
    if (value >= 0 && value <= 2) m_itemType = value;
}
void Registry::SetAccess64(long value) noexcept {
    if (value >= 0 && value <= 2) m_access64 = value;
}
void Registry::SetKeyLevels(long value) noexcept {
    if (value >= 1 && value <= 64) m_keyLevels = value;
}
void Registry::SetContinue(long value) noexcept {
    if (value >= 0 && value <= 64) m_continue = value;
}

REGSAM Registry::Access() const noexcept {
    if (m_access64 == 1) return KEY_READ | KEY_WOW64_64KEY;
    if (m_access64 == 2) return KEY_READ | KEY_WOW64_32KEY;
    return KEY_READ;
}

RegistryValue Registry::RegRead(const std::wstring& item, const std::wstring& valueName) {
    RegistryValue result;
    m_errorCode = kBadArgument;
    if (item.empty()) return result;
    const RegistryPath path = SplitRegistryPath(item);
    if (path.rest.empty() || !path.root) return result;

    std::wstring keyPath = path.rest, name = valueName;
    if (name.empty()) {
        if (keyPath.back() == L'\\') {
            keyPath.pop_back();  // a trailing backslash names the key's default value
        } else {
            const size_t slash = keyPath.rfind(L'\\');
            name = slash == std::wstring::npos ? keyPath : keyPath.substr(slash + 1);
            keyPath = slash == std::wstring::npos ? std::wstring() : keyPath.substr(0, slash);
        }
    }

    m_errorCode = kNothingFound;
    OpenedKey key;
    if (key.Open(path.root, keyPath, Access()) != ERROR_SUCCESS) return result;
    DWORD type = REG_NONE;
    std::vector<BYTE> data;
    if (ReadValue(key.get(), name, type, data) != ERROR_SUCCESS || !IsReadableType(type)) return result;
    m_errorCode = 0;

    switch (type) {
    case REG_SZ:
    case REG_EXPAND_SZ: {
        // Up to the first NUL: writers that store a whole fixed buffer leave
        // a tail of NULs (or garbage) after the text.
        std::wstring text = UnitsOf(data);
        text.resize(text.find(L'\0') == std::wstring::npos ? text.size() : text.find(L'\0'));
        result.kind = RegistryValue::Kind::Text;
        result.text = type == REG_EXPAND_SZ && m_convertStr ? Expand(text) : text;
        break;
    }
    case REG_MULTI_SZ: {
        const std::wstring text = DropTerminator(UnitsOf(data));
        if (m_convertStr) {
            result.kind = RegistryValue::Kind::TextList;
            result.items = SplitMulti(text);
        } else {
            result.kind = RegistryValue::Kind::Text;
            result.text = text;
        }
        break;
    }
    case REG_DWORD:
        if (!data.empty()) {
            DWORD number = 0;
            memcpy(&number, data.data(), data.size() < sizeof(number) ? data.size() : sizeof(number));
            result.kind = RegistryValue::Kind::Number;
            result.number = static_cast<long>(number);
        }
        break;
    default:  // REG_BINARY, REG_QWORD: the bytes; none at all gives Empty
        if (!data.empty()) {
            result.kind = RegistryValue::Kind::Bytes;
            result.bytes = std::move(data);
        }
        break;
    }
    return result;
}

long Registry::EntryExists(const std::wstring& item, bool splitOnce) {
    m_errorCode = kBadArgument;
    if (item.size() < 3) return 0;
    const RegistryPath path = SplitRegistryPath(item);
    if (!path.root) return 0;
    m_errorCode = 0;
    if (path.rest.empty()) return 1;

    OpenedKey key;
    LONG status = key.Open(path.root, path.rest, Access());
    if (status == ERROR_SUCCESS) return 1;

    // Value names may hold backslashes: try every split from the right, or
    // only the last one.
    size_t slash = path.rest.size();
    for (;;) {
        slash = slash == 0 ? std::wstring::npos : path.rest.rfind(L'\\', slash - 1);
        const bool underRoot = slash == std::wstring::npos;
        if (underRoot && !splitOnce) break;
        const std::wstring keyPath = underRoot ? std::wstring() : path.rest.substr(0, slash);
        const std::wstring name = underRoot ? path.rest : path.rest.substr(slash + 1);
        OpenedKey parent;
        status = parent.Open(path.root, keyPath, Access());
        if (status == ERROR_SUCCESS)
            status = RegQueryValueExW(parent.get(), name.c_str(), nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_SUCCESS) return 2;
        if (splitOnce || slash == 0) break;
    }
    m_errorCode = splitOnce ? status : kNothingFound;
    return 0;
}

long Registry::RegEntryExists(const std::wstring& item) { return EntryExists(item, false); }
long Registry::RegEntryExists1(const std::wstring& item) { return EntryExists(item, true); }

RegistryItems Registry::GetItems(const std::wstring& pathText, bool targetIsFixedArray) {
    RegistryItems result;
    m_errorCode = kBadArgument;
    if (targetIsFixedArray) return result;
    std::wstring normalised = pathText;
    if (!NormaliseRegistryPath(normalised)) return result;
    const RegistryPath path = SplitRegistryPath(normalised);
    if (!path.root) return result;

    OpenedKey key;
    m_errorCode = key.Open(path.root, path.rest, Access());
    if (m_errorCode != ERROR_SUCCESS) return result;

    const bool values = m_itemType != 0;
    DWORD count = 0, longest = 0;
    m_errorCode = values ? RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, nullptr, nullptr, nullptr,
                                            &count, &longest, nullptr, nullptr, nullptr)
                         : RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &count, &longest, nullptr,
                                            nullptr, nullptr, nullptr, nullptr, nullptr);
    if (m_errorCode != ERROR_SUCCESS) return result;
    if (count == 0) {
        m_errorCode = kNothingFound;
        return result;
    }

    result.names.resize(count);
    std::vector<wchar_t> name(longest + 1);
    for (DWORD index = 0; index < count;) {
        DWORD length = static_cast<DWORD>(name.size());
        const LONG status =
            values ? RegEnumValueW(key.get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr)
                   : RegEnumKeyExW(key.get(), index, name.data(), &length, nullptr, nullptr, nullptr, nullptr);
        if (status == ERROR_MORE_DATA && name.size() < 32768) {
            // A name that grew since the count was taken: a larger buffer, same index.
            name.resize(32768);
            continue;
        }
        if (status != ERROR_SUCCESS) break;
        result.names[index].assign(name.data(), length);
        result.stored = static_cast<long>(++index);
    }
    m_errorCode = 0;
    return result;
}

std::wstring Registry::Search(const std::wstring& itemText, const std::wstring& pathText) {
    m_errorCode = kBadArgument;
    std::wstring item = itemText, pathNormalised = pathText;
    if (!NormaliseRegistryPath(item) || !NormaliseRegistryPath(pathNormalised)) return std::wstring();
    if (m_itemType < 0 || m_itemType > 2) return std::wstring();
    const RegistryPath path = SplitRegistryPath(pathNormalised);
    if (!path.root) return std::wstring();

    SearchWalk walk(item, m_itemType, m_keyLevels, m_continue, Access(), path.rootName);
    m_errorCode = 0;
    if (walk.Key(path.root, path.rest, 0)) return walk.Found();
    m_errorCode = kNothingFound;
    return std::wstring();
}

}  // namespace kelpa
