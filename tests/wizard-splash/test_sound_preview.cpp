/*
 * test_sound_preview.cpp - the music page's preview in-process: what it
 * asks of PlaySoundA and MCI for wave, MIDI and missing files, and that a
 * MIDI file that opens but does not play leaves no alias behind, and that a
 * damaged MIDI file never reaches the sequencer.
 */
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "music.h"
#include "testmedia.h"
#include "testsounds.h"
#include "wizard.h"
#include "zvtest.h"

namespace zv {

static std::vector<std::string> calls;
static MCIERROR (WINAPI *realMci)(LPCSTR, LPSTR, UINT, HWND) = pfnMciSendStringA;

static BOOL WINAPI RecordSound(LPCSTR sound, HMODULE, DWORD flags)
{
    calls.push_back((sound ? sound : "<none>") + std::string(" ") + std::to_string(flags));
    return TRUE;
}

/* The real MCI, but "play" fails as it may without a MIDI device. */
static MCIERROR WINAPI FailingPlay(LPCSTR command, LPSTR reply, UINT size, HWND callback)
{
    calls.push_back(command);
    return strncmp(command, "play", 4) == 0 ? MCIERR_HARDWARE : realMci(command, reply, size, callback);
}

static std::string ShortPath(const std::string &path)
{
    char s[MAX_PATH] = "";
    ShortMusicPath(path.c_str(), s, sizeof s);
    return s;
}

TEST(SoundPreview, WavesPlayThroughPlaySoundMidiThatFailsLeavesNoAlias)
{
    std::string dir = zvtest::ScratchDir("preview");
    std::string wave = dir + "\\Long Tune Name.WAV", midi = dir + "\\tune.mid";
    ASSERT_TRUE(zvtest::WriteFileBytes(wave, zvtest::WaveBytes(300)));
    /* one track with only its end */
    ASSERT_TRUE(zvtest::WriteFileBytes(midi, std::string("MThd\0\0\0\x06\0\0\0\x01\0\x60MTrk\0\0\0\x04\0\xFF\x2F\0", 26)));
    preview::pfnPlaySoundA = RecordSound;
    pfnMciSendStringA = FailingPlay;

    EXPECT_EQ(preview::PlayMusic((dir + "\\missing.wav").c_str()), preview::PREVIEW_NONE);
    EXPECT_TRUE(calls.empty()) << "no short form, nothing played";
    EXPECT_EQ(preview::PlayMusic(wave.c_str()), preview::PREVIEW_WAVE);
    EXPECT_EQ(preview::StopMusic(preview::PREVIEW_WAVE), preview::PREVIEW_NONE);
    const std::vector<std::string> waveCalls = {
        ShortPath(wave) + " " + std::to_string(SND_FILENAME | SND_ASYNC | SND_NODEFAULT | SND_NOWAIT),
        "<none> " + std::to_string(SND_PURGE | SND_NOWAIT),
    };
    EXPECT_EQ(calls, waveCalls);

    /* twice: a first failure must not keep the alias from the second */
    for (int attempt = 0; attempt < 2; attempt++) {
        calls.clear();
        EXPECT_EQ(preview::PlayMusic(midi.c_str()), preview::PREVIEW_NONE);
        ASSERT_FALSE(calls.empty());
        EXPECT_EQ(calls[0], "open sequencer!" + ShortPath(midi) + " alias bgmusic");
        char reply[64] = "";
        EXPECT_NE(realMci("status bgmusic mode", reply, sizeof reply, NULL), 0u)
            << "attempt " << attempt << ": the alias is still open (" << reply << ")";
    }
    preview::pfnPlaySoundA = PlaySoundA;
    pfnMciSendStringA = realMci;
}

TEST(SoundPreview, DamagedMidiNeverReachesTheSequencer)
{
    std::string dir = zvtest::ScratchDir("previewdamaged");
    pfnMciSendStringA = FailingPlay;
    for (const zvtest::DAMAGEDFILE &d : zvtest::DamagedMidis()) {
        SCOPED_TRACE(d.what);
        std::string path = dir + "\\tune.mid";
        ASSERT_TRUE(zvtest::WriteFileBytes(path, d.bytes));
        calls.clear();
        EXPECT_EQ(preview::PlayMusic(path.c_str()), preview::PREVIEW_NONE);
        EXPECT_TRUE(calls.empty());
    }
    pfnMciSendStringA = realMci;
}

} // namespace zv
