// Parts of the C++ runtime replaced in Velquin.exe by smaller ones of the same meaning, for a window
// program that has no console and never reports the library's own texts.
#include <cstdlib>
#include <exception>
#include <new>

// The library's own handler prints the demangled name of an uncaught exception's type, and so brings the
// demangler (about 45 KB) into the program. Ending is all it may do.
namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
}  // namespace __gnu_cxx

#ifdef __GLIBCXX__
// The library reports a broken precondition (a string position past the end, a length too great) by throwing
// logic_error and the like, whose text members bring a second string implementation along (about 50 KB).
// Here it throws one small exception instead; a window message that raises it still just ends there.
namespace {

class LibraryError : public std::exception {
public:
    const char* what() const noexcept override { return "a standard library precondition failed"; }
};

}  // namespace

namespace std {
void __throw_bad_alloc()
{
    throw bad_alloc();
}
void __throw_bad_array_new_length()
{
    throw bad_array_new_length();
}
void __throw_length_error(const char*)
{
    throw LibraryError();
}
void __throw_logic_error(const char*)
{
    throw LibraryError();
}
void __throw_out_of_range_fmt(const char*, ...)
{
    throw LibraryError();
}
}  // namespace std
#endif
