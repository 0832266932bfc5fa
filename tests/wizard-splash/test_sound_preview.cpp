/*
 * test_sound_preview.cpp - the music page's preview in-process: what it
 * asks of PlaySoundA and MCI for wave, MIDI and missing files, and that a
 * MIDI file that opens but does not play leaves no alias behind.
 */
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "music.h"
#include "testmedia.h"
#include "wizard.h"
#include "zvtest.h"

namespace zv {

struct SOUNDCALL {
    std::string sound;
    DWORD flags;
};
static std::vector<SOUNDCALL> sounds;
static std::vector<std::string> commands;
static bool failPlay;
static MCIERROR (WINAPI *realMci)(LPCSTR, LPSTR, UINT, HWND);

static BOOL WINAPI RecordSound(LPCSTR sound, HMODULE, DWORD flags)
{
    sounds.push_back({ sound ? sound : "<null>", flags });
    return TRUE;
}

/* The real MCI, but for a "play" that fails as it may without a device. */
static MCIERROR WINAPI RecordMci(LPCSTR command, LPSTR reply, UINT size, HWND callback)
{
    commands.push_back(command);
    if (failPlay && strncmp(command, "play", 4) == 0)
        return MCIERR_HARDWARE;
    return realMci(command, reply, size, callback);
}

class SoundPreview : public ::testing::Test {
protected:
    void SetUp() override
    {
        dir = zvtest::ScratchDir("preview");
        savedSound = preview::pfnPlaySoundA;
        savedMci = realMci = pfnMciSendStringA;
        preview::pfnPlaySoundA = RecordSound;
        pfnMciSendStringA = RecordMci;
        sounds.clear();
        commands.clear();
        failPlay = false;
    }
    void TearDown() override
    {
        preview::pfnPlaySoundA = savedSound;
        pfnMciSendStringA = savedMci;
    }
    std::string dir;
    BOOL (WINAPI *savedSound)(LPCSTR, HMODULE, DWORD);
    MCIERROR (WINAPI *savedMci)(LPCSTR, LPSTR, UINT, HWND);
};

/* One quiet note and the track's end. */
static std::string MidiBytes()
{
    return std::string("MThd\0\0\0\x06\0\0\0\x01\0\x60", 14) + std::string("MTrk\0\0\0\x04\0\xFF\x2F\0", 12);
}

TEST_F(SoundPreview, WaveFilesPlayThroughPlaySoundAndStopWithAPurge)
{
    CreateDirectoryA((dir + "\\songs.wav").c_str(), NULL);
    std::string wave = dir + "\\Long Tune Name.WAV", inWaveFolder = dir + "\\songs.wav\\tune.mid";
    ASSERT_TRUE(zvtest::WriteFileBytes(wave, zvtest::WaveBytes(300)));
    ASSERT_TRUE(zvtest::WriteFileBytes(inWaveFolder, MidiBytes()));

    EXPECT_EQ(preview::PlayMusic(""), preview::PREVIEW_NONE);
    EXPECT_EQ(preview::PlayMusic((dir + "\\missing.wav").c_str()), preview::PREVIEW_NONE);
    EXPECT_TRUE(sounds.empty() && commands.empty()) << "nothing to play, nothing asked";

    ASSERT_EQ(preview::PlayMusic(wave.c_str()), preview::PREVIEW_WAVE);
    ASSERT_EQ(sounds.size(), 1u);
    char shortPath[MAX_PATH];
    ASSERT_TRUE(ShortMusicPath(wave.c_str(), shortPath, sizeof shortPath));
    EXPECT_EQ(sounds[0].sound, shortPath);
    EXPECT_EQ(sounds[0].flags, (DWORD)(SND_FILENAME | SND_ASYNC | SND_NODEFAULT | SND_NOWAIT));
    EXPECT_EQ(preview::StopMusic(preview::PREVIEW_WAVE), preview::PREVIEW_NONE);
    ASSERT_EQ(sounds.size(), 2u);
    EXPECT_EQ(sounds[1].sound, "<null>");
    EXPECT_EQ(sounds[1].flags, (DWORD)(SND_PURGE | SND_NOWAIT));

    EXPECT_EQ(preview::PlayMusic(inWaveFolder.c_str()), preview::PREVIEW_WAVE) << "\".wav\" in a folder name";
    EXPECT_TRUE(commands.empty());
    EXPECT_EQ(preview::StopMusic(preview::PREVIEW_NONE), preview::PREVIEW_NONE);
    EXPECT_EQ(sounds.size(), 3u) << "nothing playing, nothing stopped";
}

TEST_F(SoundPreview, MidiThatDoesNotPlayLeavesNoAliasOpen)
{
    std::string midi = dir + "\\tune.mid";
    ASSERT_TRUE(zvtest::WriteFileBytes(midi, MidiBytes()));
    char shortPath[MAX_PATH];
    ASSERT_TRUE(ShortMusicPath(midi.c_str(), shortPath, sizeof shortPath));

    failPlay = true;
    for (int attempt = 0; attempt < 2; attempt++) {
        commands.clear();
        EXPECT_EQ(preview::PlayMusic(midi.c_str()), preview::PREVIEW_NONE);
        ASSERT_GE(commands.size(), 1u);
        EXPECT_EQ(commands[0], std::string("open sequencer!") + shortPath + " alias bgmusic");
        char reply[64] = "";
        EXPECT_NE(savedMci("status bgmusic mode", reply, sizeof reply, NULL), 0u)
            << "attempt " << attempt << ": the alias is still open (" << reply << ")";
    }

    /* when it plays (a MIDI device), Stop closes it */
    failPlay = false;
    commands.clear();
    int kind = preview::PlayMusic(midi.c_str());
    if (kind == preview::PREVIEW_MIDI) {
        EXPECT_EQ(preview::StopMusic(kind), preview::PREVIEW_NONE);
        EXPECT_EQ(commands.back(), "close all");
    }
    char reply[64] = "";
    EXPECT_NE(savedMci("status bgmusic mode", reply, sizeof reply, NULL), 0u);
    EXPECT_TRUE(sounds.empty());
}

} // namespace zv
