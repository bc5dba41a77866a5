// Read-only registry access for scripts: one value converted by its type,
// key and value tests, the names under a key, and a depth-first search.
// Nothing here raises: every member leaves its outcome in ErrorCode.
#pragma once

#include <windows.h>
#include <string>
#include <vector>

namespace kelpa {

// A value as read, before it becomes a script value.
struct RegistryValue {
    enum class Kind { Empty, Text, Number, TextList, Bytes };
    Kind kind = Kind::Empty;
    std::wstring text;                // Text
    long number = 0;                  // Number
    std::vector<std::wstring> items;  // TextList
    std::vector<BYTE> bytes;          // Bytes
};

// The names under a key; names past `stored` (when the key shrank while it
// was listed) are empty.
struct RegistryItems {
    std::vector<std::wstring> names;
    long stored = 0;
};

// A path split into its predefined root and the rest after the first backslash.
struct RegistryPath {
    HKEY root = nullptr;      // null when the root name is unknown
    std::wstring rootName;    // as written
    std::wstring rest;
};
RegistryPath SplitRegistryPath(const std::wstring& path);
// The predefined key for a root name (HKCU, HKEY_CURRENT_USER, ...), any case; null if unknown.
HKEY RootKeyOf(const std::wstring& name);
// Non-empty, one trailing backslash removed, a lone backslash refused.
bool NormaliseRegistryPath(std::wstring& path);

class Registry {
public:
    static constexpr long kBadArgument = 801;
    static constexpr long kNothingFound = 802;

    long ItemType() const noexcept { return m_itemType; }
    void SetItemType(long value) noexcept;
    long Access64() const noexcept { return m_access64; }
    void SetAccess64(long value) noexcept;
    long KeyLevels() const noexcept { return m_keyLevels; }
    void SetKeyLevels(long value) noexcept;
    long Continue() const noexcept { return m_continue; }
    void SetContinue(long value) noexcept;
    bool ConvertArr() const noexcept { return m_convertArr; }
    void SetConvertArr(bool value) noexcept { m_convertArr = value; }
    bool ConvertStr() const noexcept { return m_convertStr; }
    void SetConvertStr(bool value) noexcept { m_convertStr = value; }
    long ErrorCode() const noexcept { return m_errorCode; }

    RegistryValue RegRead(const std::wstring& item, const std::wstring& valueName);
    RegistryValue RegRead1(const std::wstring& item) { return RegRead(item, std::wstring()); }
    long RegEntryExists(const std::wstring& item);
    long RegEntryExists1(const std::wstring& item);
    // targetIsFixedArray: the script passed a fixed-size array variable,
    // which cannot take the result; that is refused with 801.
    RegistryItems GetItems(const std::wstring& path, bool targetIsFixedArray);
    std::wstring Search(const std::wstring& item, const std::wstring& path);

private:
    REGSAM Access() const noexcept;
    // 0: does not exist (ErrorCode set), 1: key, 2: value.
    long EntryExists(const std::wstring& item, bool splitOnce);

    long m_itemType = 0;
    long m_access64 = 0;
    long m_keyLevels = 4;
    long m_continue = 0;
    bool m_convertArr = true;
    bool m_convertStr = true;
    long m_errorCode = 0;
};

}  // namespace kelpa
