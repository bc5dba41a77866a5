// The failure convention of the classes that have ErrorLevel: a failure is
// raised as a script error when the object's level reaches the failure's
// threshold, and is otherwise silent so the member returns its empty result.
#pragma once

#include <windows.h>
#include <string>

#include "runtime/ScriptError.h"

namespace kelpa {

class ErrorLevel {
public:
    // source: "Kelpa." + class name; levels 0..highest are accepted.
    ErrorLevel(const wchar_t* source, long initial, long highest) noexcept
        : m_source(source), m_level(initial), m_highest(highest) {}

    long Get() const noexcept { return m_level; }
    // Out-of-range values are ignored: the level keeps its value, nothing is reported.
    void Set(long level) noexcept {
        if (level >= 0 && level <= m_highest) m_level = level;
    }

    // Throws the failure when it is to be raised; returns when it is to stay silent.
    void Report(HRESULT number, const std::wstring& description, long threshold = 1) const {
        if (m_level >= threshold) throw ScriptError(number, m_source, description);
    }

    const wchar_t* Source() const noexcept { return m_source; }

private:
    const wchar_t* m_source;
    long m_level;
    long m_highest;
};

}  // namespace kelpa
