#include "app/VelquinApp.h"

#include <windows.h>

namespace {

CVelquinApp theApp;

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int)
{
    theApp.InitInstance();
    return theApp.ExitCode();
}
