#pragma once
// The real media platform: winmm's mciSendStringA, mciGetErrorStringA, waveOutGetNumDevs and
// PlaySoundA, with text converted between UTF-8 and the ANSI code page.
// Linking qv_music_win32 installs it before main; this is for tests that swap platforms.
namespace qv {

void UseWin32MediaPlatform();

}  // namespace qv
