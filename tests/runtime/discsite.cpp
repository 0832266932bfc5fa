/*
 * discsite.cpp - scratch disc folders for ZORVAN.EXE and what its runs
 * leave behind.
 */
#include "discsite.h"

#include <gtest/gtest.h>
#include <stdlib.h>

namespace zv {

const char *const DOC_EXT = ".zvrtdoc";
const char *const DOC_NONE = ".zvrtnone";

static void RegisterOnce()
{
    static bool done;
    if (done)
        return;
    /* the same command every time, so parallel test programs agree */
    ASSERT_TRUE(zvtest::RegisterOpenCommand(DOC_EXT, "\"" + zvtest::BinPath("marker.exe") + "\" doc \"%1\""));
    done = true;
}

DISCSITE MakeDisc(const std::string &name)
{
    RegisterOnce();
    zvtest::MARKERSITE made = zvtest::MakeMarkerSite("rt-" + name, "ZORVAN.EXE");
    DISCSITE site;
    site.dir = made.dir;
    site.exe = made.exe;
    site.marks = made.marks;
    site.log = site.dir + "\\run.log";
    return site;
}

void WriteInf(const DISCSITE &site, const std::vector<std::string> &data)
{
    std::string text = "[autorun]\r\nopen=ZORVAN.EXE\r\n[Zorvan Data]\r\n";
    for (const std::string &l : data)
        text += l + "\r\n";
    ASSERT_TRUE(zvtest::WriteFileBytes(site.dir + "\\AUTORUN.INF", text));
}

zvtest::RUN RunDisc(const DISCSITE &site, const std::string &args, const char *cwd, unsigned timeoutMs,
                    const zvtest::BOXANSWER &answer)
{
    std::string cmdline = "\"" + site.exe + "\" --log \"" + site.log + "\"";
    if (!args.empty())
        cmdline += " " + args;
    return zvtest::RunProgram(cmdline, cwd ? cwd : site.dir.c_str(), timeoutMs, answer);
}

std::vector<MARK> WaitForMarks(const DISCSITE &site, size_t n, unsigned waitMs)
{
    return zvtest::WaitForMarks(site.marks, n, waitMs);
}

std::vector<MARK> MarksAfterPause(const DISCSITE &site)
{
    return zvtest::MarksAfterPause(site.marks);
}

std::vector<std::string> LogTexts(const DISCSITE &site)
{
    /* a line is "Www Mmm dd hh:mm:ss yyyy: text"; texts may hold line
     * ends of their own, which continue the line before */
    std::vector<std::string> texts;
    for (const std::string &line : zvtest::ReadLines(site.log)) {
        if (line.size() >= 26 && line[24] == ':' && line[25] == ' ' && line[3] == ' ' && line[7] == ' ')
            texts.push_back(line.substr(26));
        else if (!texts.empty())
            texts.back() += "\n" + line;
    }
    return texts;
}

int FindLog(const std::vector<std::string> &texts, const std::string &prefix, size_t from)
{
    for (size_t i = from; i < texts.size(); i++)
        if (texts[i].compare(0, prefix.size(), prefix) == 0)
            return (int)i;
    return -1;
}

size_t CountLog(const std::vector<std::string> &texts, const std::string &prefix)
{
    size_t n = 0;
    for (const std::string &t : texts)
        n += t.compare(0, prefix.size(), prefix) == 0;
    return n;
}

std::string LongPath(const std::string &path)
{
    char buf[MAX_PATH];
    DWORD n = GetLongPathNameA(path.c_str(), buf, sizeof buf);
    return n && n < sizeof buf ? std::string(buf, n) : path;
}

unsigned long long NowMs()
{
    FILETIME ft;
    GetSystemTimeAsFileTime(&ft);
    ULARGE_INTEGER t;
    t.LowPart = ft.dwLowDateTime;
    t.HighPart = ft.dwHighDateTime;
    return t.QuadPart / 10000;
}

} // namespace zv
