// What the C++ runtime calls when a container cannot grow or is misused.
// In this program every such case means the memory is exhausted: say so and
// end, as any unexpected failure does. Defining these here also keeps the
// runtime's exception classes, its old-style strings and its symbol
// demangler (together over 80 KB) out of the program; the program is linked
// with them only for Pelmora.exe itself, not for the tests.
#include "Failure.h"

#include <cstdlib>
#include <string>

namespace {
[[noreturn]] void OutOfMemory()
{
    UnexpectedFailure(L"The menu", std::wstring(), ERROR_NOT_ENOUGH_MEMORY);
}
} // namespace

namespace std {
void __throw_bad_alloc() { OutOfMemory(); }
void __throw_bad_array_new_length() { OutOfMemory(); }
void __throw_length_error(const char*) { OutOfMemory(); }
void __throw_logic_error(const char*) { OutOfMemory(); }
void __throw_out_of_range(const char*) { OutOfMemory(); }
void __throw_out_of_range_fmt(const char*, ...) { OutOfMemory(); }
void __throw_invalid_argument(const char*) { OutOfMemory(); }
} // namespace std

namespace __gnu_cxx {
// An exception that escapes: the program has no console to name it on.
void __verbose_terminate_handler()
{
    std::abort();
}
} // namespace __gnu_cxx
