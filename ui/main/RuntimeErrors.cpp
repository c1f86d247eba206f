// What the C++ runtime calls when a container cannot grow or is misused.
// Memory that cannot be had is reported as such; every other case is a
// programming error, reported as an internal error in the runtime's own
// words. Either report ends the program, as any unexpected failure does.
// Defining these here also keeps the runtime's exception classes, its
// old-style strings and its symbol demangler (together over 80 KB) out of
// the program; the program is linked with them only for Pelmora.exe itself,
// not for the tests.
#include "Failure.h"

#include <cstdarg>
#include <cstddef>

namespace {

// The runtime's message with its "%s" and "%zu" filled in (the only
// conversions its messages use), cut to the area's size.
void FormatWords(char* area, std::size_t size, const char* format, va_list arguments)
{
    std::size_t at = 0;
    auto put = [&](char c) {
        if (at + 1 < size) area[at++] = c;
    };
    for (const char* p = format; *p; ++p) {
        if (*p != '%') {
            put(*p);
            continue;
        }
        ++p;
        const char length = (*p == 'z' || *p == 'l') ? *p++ : '\0';
        if (*p == 's') {
            for (const char* s = va_arg(arguments, const char*); s && *s; ++s) put(*s);
        } else if (*p == 'u') {
            std::size_t value = length == 'z'   ? va_arg(arguments, std::size_t)
                                : length == 'l' ? va_arg(arguments, unsigned long)
                                                : va_arg(arguments, unsigned);
            char digits[24];
            int n = 0;
            do digits[n++] = static_cast<char>('0' + value % 10);
            while (value /= 10);
            while (n) put(digits[--n]);
        } else if (*p) {
            put(*p);
        } else {
            break;
        }
    }
    area[at] = '\0';
}

} // namespace

namespace std {
void __throw_bad_alloc() { OutOfMemoryFailure(); }
void __throw_bad_array_new_length() { InternalFailure("bad array new length"); }
void __throw_length_error(const char* words) { InternalFailure(words); }
void __throw_logic_error(const char* words) { InternalFailure(words); }
void __throw_out_of_range(const char* words) { InternalFailure(words); }
void __throw_invalid_argument(const char* words) { InternalFailure(words); }
void __throw_out_of_range_fmt(const char* format, ...)
{
    char words[512];
    va_list arguments;
    va_start(arguments, format);
    FormatWords(words, sizeof words, format, arguments);
    va_end(arguments);
    InternalFailure(words);
}
} // namespace std

namespace __gnu_cxx {
// An exception that escapes where nothing catches it (the window procedure
// catches whatever escapes a handler, so this is a last resort): the program
// has no console to name it on.
void __verbose_terminate_handler()
{
    InternalFailure("terminate");
}
} // namespace __gnu_cxx
