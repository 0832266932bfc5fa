/*
 * winmain.cpp - ZVMenu's entry.
 */
#include "menu.h"

int WINAPI WinMain(HINSTANCE hInstance, HINSTANCE, LPSTR commandLine, int)
{
    return zv::menu::MenuMain(hInstance, commandLine);
}
