#pragma once
// The program's icon on its windows, at the system's large and small sizes.
#include "Handles.h"

#include <windows.h>

class ProgramIcon {
public:
    // Loads both sizes from the resources of `instance`.
    void Load(HINSTANCE instance);
    // Gives `window` both sizes.
    void ApplyTo(HWND window) const;
    HICON Large() const { return large_.get(); }

private:
    UniqueIcon large_, small_;
};
