/*
 * chainsite.cpp - scratch sites for ZVChain and the marks read back.
 */
#include "chainsite.h"

#include <gtest/gtest.h>
#include <stdlib.h>

namespace zv {

CHAINSITE MakeChainSite(const std::string &name)
{
    return zvtest::MakeMarkerSite("chain-" + name, "ZVChain.exe");
}

void WriteChainIni(const std::string &path, const std::vector<std::string> &lines)
{
    std::string text = "[ZVChain]\r\n";
    for (const std::string &l : lines)
        text += l + "\r\n";
    ASSERT_TRUE(zvtest::WriteFileBytes(path, text)) << path;
}

zvtest::RUN RunChain(const CHAINSITE &site, const std::string &args, const char *cwd, unsigned timeoutMs,
                     const zvtest::BOXANSWER &answer)
{
    std::string cmdline = "\"" + site.exe + "\"";
    if (!args.empty())
        cmdline += " " + args;
    return zvtest::RunProgram(cmdline, cwd ? cwd : site.dir.c_str(), timeoutMs, answer);
}

std::vector<MARK> WaitForMarks(const CHAINSITE &site, size_t n, unsigned waitMs)
{
    return zvtest::WaitForMarks(site.marks, n, waitMs);
}

std::vector<MARK> MarksAfterPause(const CHAINSITE &site)
{
    return zvtest::MarksAfterPause(site.marks);
}

bool HasWord(const std::string &cmd, const std::string &w)
{
    size_t at = 0;
    while ((at = cmd.find(w, at)) != std::string::npos) {
        bool left = at == 0 || cmd[at - 1] == ' ' || cmd[at - 1] == '"';
        size_t end = at + w.size();
        bool right = end == cmd.size() || cmd[end] == ' ' || cmd[end] == '"';
        if (left && right)
            return true;
        at = end;
    }
    return false;
}

const MARK *MarkWith(const std::vector<MARK> &marks, const std::string &w)
{
    for (const MARK &m : marks)
        if (HasWord(m.cmd, w))
            return &m;
    return NULL;
}

} // namespace zv
