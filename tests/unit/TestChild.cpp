// A child process for the unit tests that must watch a process end:
//   TestChild sleep <ms>        sleeps, then ends with code 0
//   TestChild out-of-memory     installs the program's failure handlers, then
//                               asks for more memory than there is
//   TestChild escape <what>     an exception escapes a picture button's key
//                               handling: "out-of-range" or "bad-alloc"
// A failure report ends the process with the program's failure code.
#include "Failure.h"
#include "main/PictureBox.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <new>
#include <stdexcept>

namespace {

class Throwing : public PictureBoxEvents {
public:
    explicit Throwing(const char* what) : what_(what) {}
    void OnKeyDown(PictureBox&, WORD, WORD) override
    {
        if (std::strcmp(what_, "bad-alloc") == 0) throw std::bad_alloc();
        throw std::out_of_range("picture 7 of 3");
    }
    void OnClick(PictureBox&) override {}
    void OnGotFocus(PictureBox&) override {}
    void OnLostFocus(PictureBox&) override {}
    void OnChange(PictureBox&) override {}
    void OnPaint(PictureBox&) override {}

private:
    const char* what_;
};

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::strcmp(argv[1], "sleep") == 0) {
        Sleep(static_cast<DWORD>(std::strtoul(argv[2], nullptr, 10)));
        return 0;
    }
    InstallFailureHandlers(UiLanguage::English);
    if (argc >= 2 && std::strcmp(argv[1], "out-of-memory") == 0) {
        volatile std::size_t huge = static_cast<std::size_t>(-1) / 2;
        void* memory = ::operator new(huge);
        ::operator delete(memory);
        return 3; // the memory was there after all
    }
    if (argc >= 3 && std::strcmp(argv[1], "escape") == 0) {
        const HINSTANCE instance = GetModuleHandleA(nullptr);
        PictureBox::RegisterWindowClass(instance);
        WNDCLASSA parentClass = {};
        parentClass.lpfnWndProc = DefWindowProcA;
        parentClass.hInstance = instance;
        parentClass.lpszClassName = "PelmoraTestChildParent";
        RegisterClassA(&parentClass);
        HWND parent = CreateWindowExA(0, parentClass.lpszClassName, "", WS_OVERLAPPEDWINDOW, 0, 0, 100, 100,
                                      nullptr, nullptr, instance, nullptr);
        Throwing events(argv[2]);
        PictureBox box;
        box.Create(parent, 1000, 0, &events, true);
        SendMessageA(box.Window(), WM_KEYDOWN, VK_RETURN, 0);
        return 4; // nothing escaped
    }
    return 2;
}
