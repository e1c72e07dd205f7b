// A library of the tests' own, copied beside framework_app_probe.exe under the
// name of a system library: a program built on the entry point never loads it.

#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) {
    return TRUE;
}
