/*
 * twoicons.cpp - a library with no code of its own: its resources hold
 * two icons, red (number 0) and blue (number 1).
 */
#include <windows.h>

BOOL WINAPI DllMain(HINSTANCE, DWORD, LPVOID) { return TRUE; }
