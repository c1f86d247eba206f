#pragma once
// Active Accessibility where the system has it. oleacc.dll and oleaut32.dll
// are loaded from the system folder when a screen reader first asks for one
// of our objects, their functions looked up by name, and COM started on the
// menu's thread at that moment, so start-up pays nothing for it. On a system
// without them (Windows 98 without the Active Accessibility update) nothing is
// available and the windows answer as if we had no accessible objects.
#include "Handles.h"

#include <windows.h>
#include <oleacc.h>

class ActiveAccessibility {
public:
    // The loaded functions, or nullptr when the system lacks any of them or
    // COM cannot start on this thread. Loads on the first call only.
    static const ActiveAccessibility* Get();

    LRESULT(WINAPI* LresultFromObject)(REFIID, WPARAM, LPUNKNOWN) = nullptr;
    HRESULT(WINAPI* CreateStdAccessibleObject)(HWND, LONG, REFIID, void**) = nullptr;
    BSTR(WINAPI* SysAllocString)(const OLECHAR*) = nullptr;

    // The type description of IAccessible from the system's registered type
    // library, for late-bound callers (IDispatch); nullptr if not registered.
    ITypeInfo* AccessibleTypeInfo() const;

    ActiveAccessibility(const ActiveAccessibility&) = delete;
    ActiveAccessibility& operator=(const ActiveAccessibility&) = delete;
    ~ActiveAccessibility();

private:
    ActiveAccessibility() = default;
    bool Load();

    UniqueModule oleacc_;
    UniqueModule oleaut_;
    bool comStarted_ = false;
    HRESULT(WINAPI* LoadRegTypeLib_)(REFGUID, WORD, WORD, LCID, ITypeLib**) = nullptr;
    mutable ITypeInfo* typeInfo_ = nullptr;
    mutable bool typeInfoTried_ = false;
};
