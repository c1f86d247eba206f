#include "main/ActiveAccessibility.h"

#include "RuntimeLink.h"
#include "SystemCalls.h"

#include <objbase.h>

#include <string>

namespace {

// The type library that describes IAccessible, as the system registers it.
constexpr GUID kAccessibilityLibrary = {0x1ea4dbf0, 0x3c3b, 0x11cf, {0x81, 0x0c, 0x00, 0xaa, 0x00, 0x38, 0x9b, 0x71}};

} // namespace

const ActiveAccessibility* ActiveAccessibility::Get()
{
    static ActiveAccessibility loaded;
    static const bool available = loaded.Load();
    return available ? &loaded : nullptr;
}

bool ActiveAccessibility::Load()
{
    oleacc_.reset(LoadSystemLibrary("oleacc.dll"));
    oleaut_.reset(LoadSystemLibrary("oleaut32.dll"));
    if (!oleacc_ || !oleaut_) return false;
    if (!LookUp(oleacc_.get(), "LresultFromObject", LresultFromObject) ||
        !LookUp(oleacc_.get(), "CreateStdAccessibleObject", CreateStdAccessibleObject) ||
        !LookUp(oleaut_.get(), "SysAllocString", SysAllocString))
        return false;
    LookUp(oleaut_.get(), "LoadRegTypeLib", LoadRegTypeLib_);
    // Our objects are handed to other processes through COM's marshalling,
    // which needs COM on the thread that owns them: the menu's.
    const auto initialize = SystemCall<decltype(&CoInitialize)>("ole32.dll", "CoInitialize");
    comStarted_ = initialize && SUCCEEDED(initialize(nullptr));
    return comStarted_;
}

ITypeInfo* ActiveAccessibility::AccessibleTypeInfo() const
{
    if (!typeInfoTried_ && LoadRegTypeLib_) {
        typeInfoTried_ = true;
        ITypeLib* library = nullptr;
        if (SUCCEEDED(LoadRegTypeLib_(kAccessibilityLibrary, 1, 1, LOCALE_NEUTRAL, &library))) {
            library->GetTypeInfoOfGuid(__uuidof(IAccessible), &typeInfo_);
            library->Release();
        }
    }
    return typeInfo_;
}

ActiveAccessibility::~ActiveAccessibility()
{
    if (typeInfo_) typeInfo_->Release();
    if (comStarted_)
        if (const auto uninitialize = SystemCall<decltype(&CoUninitialize)>("ole32.dll", "CoUninitialize"))
            uninitialize();
}
