#include "app/VelquinApp.h"

#include <windows.h>

#include <cstdlib>

// The library's own handler prints the demangled name of an uncaught exception's type, and so brings the
// demangler (about 45 KB) into a window program that has no console to print to. Ending is all it may do.
namespace __gnu_cxx {
void __verbose_terminate_handler()
{
    std::abort();
}
}  // namespace __gnu_cxx

namespace {

CVelquinApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    theApp.InitInstance();
    return 0;
}
