/*
 * startprocess.cpp - starting the programs under test.  Wine's CreateProcess
 * waits, without a deadline, until the new process has made itself known to
 * the server; a loader that hangs before that (seen on a loaded machine:
 * a test silent until ctest killed it) would hang the test.  The start runs
 * on a thread of its own: when it has not returned by the deadline, the
 * new process is ended, which ends the wait, and the start is tried again.
 */
#include "zvtest.h"

#include <tlhelp32.h>

#include <stdio.h>
#include <string.h>

#include <set>

namespace zvtest {

/* One start; on the heap, since a thread stuck in Wine keeps using it. */
struct STARTJOB {
    std::vector<char> cmd, env;
    std::string cwd;
    bool hasCwd;
    PROCESS_INFORMATION pi;
    BOOL ok;
    DWORD error;
};

static DWORD WINAPI RunStart(LPVOID param)
{
    STARTJOB *job = (STARTJOB *)param;
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    job->ok = CreateProcessA(NULL, job->cmd.data(), NULL, NULL, FALSE, 0, job->env.empty() ? NULL : job->env.data(),
                             job->hasCwd ? job->cwd.c_str() : NULL, &si, &job->pi);
    job->error = GetLastError();
    return 0;
}

/* The processes this one has started. */
static std::set<DWORD> Children()
{
    std::set<DWORD> pids;
    HANDLE snap = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    if (snap == INVALID_HANDLE_VALUE)
        return pids;
    PROCESSENTRY32 pe = {};
    pe.dwSize = sizeof pe;
    for (BOOL more = Process32First(snap, &pe); more; more = Process32Next(snap, &pe))
        if (pe.th32ParentProcessID == GetCurrentProcessId())
            pids.insert(pe.th32ProcessID);
    CloseHandle(snap);
    return pids;
}

static void EndNewChildren(const std::set<DWORD> &before)
{
    for (DWORD pid : Children()) {
        if (before.count(pid))
            continue;
        HANDLE p = OpenProcess(PROCESS_TERMINATE, FALSE, pid);
        if (p) {
            TerminateProcess(p, 259);
            CloseHandle(p);
        }
    }
}

/* Environment blocks end with an empty string. */
static std::vector<char> CopyEnvironment(const char *env)
{
    std::vector<char> copy;
    if (!env)
        return copy;
    const char *p = env;
    while (*p)
        p += strlen(p) + 1;
    copy.assign(env, p + 1);
    return copy;
}

bool StartProcess(const std::string &cmdline, const char *cwd, PROCESS_INFORMATION *pi, void *env)
{
    *pi = PROCESS_INFORMATION();
    for (int attempt = 0; attempt < 2; attempt++) {
        const char *again = attempt == 0 ? ", once more" : "";
        STARTJOB *job = new STARTJOB();
        job->cmd.assign(cmdline.begin(), cmdline.end());
        job->cmd.push_back('\0');
        job->env = CopyEnvironment((const char *)env);
        job->hasCwd = cwd != NULL;
        job->cwd = cwd ? cwd : "";
        std::set<DWORD> before = Children();
        HANDLE thread = CreateThread(NULL, 0, RunStart, job, 0, NULL);
        if (!thread) {
            delete job;
            return false;
        }
        if (WaitForSingleObject(thread, EVENT_WAIT_MS) == WAIT_TIMEOUT) {
            fprintf(stderr, "zvtest: starting %s hangs in Wine; ending it%s\n", cmdline.c_str(), again);
            EndNewChildren(before);
            if (WaitForSingleObject(thread, EVENT_WAIT_MS) == WAIT_TIMEOUT) {
                /* still stuck: the job stays with the thread */
                CloseHandle(thread);
                continue;
            }
            if (job->ok) {
                /* it came up after all, only to be ended */
                CloseHandle(job->pi.hThread);
                CloseHandle(job->pi.hProcess);
                job->ok = FALSE;
            }
        }
        CloseHandle(thread);
        if (job->ok) {
            *pi = job->pi;
            delete job;
            return true;
        }
        fprintf(stderr, "zvtest: starting %s failed (error %lu)%s\n", cmdline.c_str(), job->error, again);
        delete job;
        Sleep(500);
    }
    return false;
}

} // namespace zvtest
