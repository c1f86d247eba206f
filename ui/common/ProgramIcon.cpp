#include "common/ProgramIcon.h"

#include "resource.h"

namespace {
HICON LoadIconSized(HINSTANCE instance, int width, int height)
{
    return static_cast<HICON>(LoadImageA(instance, MAKEINTRESOURCEA(IDI_PELMORA), IMAGE_ICON, width, height, 0));
}
} // namespace

void ProgramIcon::Load(HINSTANCE instance)
{
    large_.reset(LoadIconSized(instance, GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON)));
    small_.reset(LoadIconSized(instance, GetSystemMetrics(SM_CXSMICON), GetSystemMetrics(SM_CYSMICON)));
}

void ProgramIcon::ApplyTo(HWND window) const
{
    SendMessageA(window, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large_.get()));
    SendMessageA(window, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_.get()));
}
