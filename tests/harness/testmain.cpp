/*
 * testmain.cpp - the main of every googletest program under Wine.
 *
 * A test process that faults must fail its test.  Left to Wine, the fault
 * starts the debugger, which can end the process with exit code 0 after
 * the test had begun, and ctest would count that as a pass.  The filter
 * below ends the process with the exception's code instead.
 */
#include <windows.h>

#include <stdio.h>

#include <gtest/gtest.h>

static LONG WINAPI EndWithFault(EXCEPTION_POINTERS *e)
{
    fprintf(stderr, "test process: unhandled exception 0x%08lx at %p\n",
            (unsigned long)e->ExceptionRecord->ExceptionCode, e->ExceptionRecord->ExceptionAddress);
    fflush(stderr);
    TerminateProcess(GetCurrentProcess(), e->ExceptionRecord->ExceptionCode);
    return EXCEPTION_EXECUTE_HANDLER;
}

int main(int argc, char **argv)
{
    SetUnhandledExceptionFilter(EndWithFault);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
