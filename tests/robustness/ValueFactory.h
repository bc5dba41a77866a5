// Generated script values of every type and shape a client can send:
// extremes, NaN, huge and NUL-laden strings, arrays of 0 to 3 dimensions
// with odd bounds, references, objects and the "missing" marker.
#pragma once

#include <windows.h>
#include <oaidl.h>
#include <random>
#include <vector>

namespace kelpa::robustness {

class ValueFactory {
public:
    explicit ValueFactory(unsigned seed);
    ~ValueFactory();
    ValueFactory(const ValueFactory&) = delete;
    ValueFactory& operator=(const ValueFactory&) = delete;

    // A new value; the caller clears it with Release(). A by-reference value
    // points at storage this factory keeps until Release().
    VARIANT Make();
    VARIANT MakeFor(VARTYPE declared);
    void Release(VARIANT& value);
    // Frees the storage behind every by-reference value handed out so far.
    void ReleaseReferences();
    // An object the fuzzed members may receive (a Kelpa object or a plain one).
    void SetObject(IDispatch* object) { m_object = object; }

    unsigned Next(unsigned bound) { return static_cast<unsigned>(m_random() % bound); }

private:
    VARIANT MakeScalar();
    VARIANT MakeArray(int depth);
    BSTR MakeString();

    std::mt19937 m_random;
    IDispatch* m_object = nullptr;
    // Storage behind by-reference values handed out and not yet released.
    std::vector<VARIANT*> m_referenced;
    std::vector<SAFEARRAY**> m_arraySlots;
};

}  // namespace kelpa::robustness
