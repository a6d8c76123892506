#pragma once
// Quorvale_BGM: the saver's background music. Media-control command strings with their
// replies and error texts, an MP3 or WAV file played over and over, and the audio CD with
// whole-disc or single-track repeat. Everything is driven from the saver window's load,
// unload and timer events on the one user-interface thread; nothing here is thread-safe.
//
// Text is UTF-8 throughout; the platform layer (media_platform.h) converts to the ANSI
// code page at the boundary. On Windows, linking qv_music_win32 makes the real platform
// the default; tests install a scripted fake with SetMediaPlatform.
#include <cstdint>
#include <string>

namespace qv {

// ---- Module-wide state -------------------------------------------------------------------

// Result of the last platform call that records itself (media-control code, or PlaySound's
// result). Shared with the rest of the saver.
extern int32_t LastApiResult;
// Reply or error text of the last command sent by MciStatus or MciPlay.
extern std::string MciReplyText;
// Outcome of the last CdPoll: true while the disc can be polled, false after a failure.
// The saver window sets its 200 ms polling timer's enabled state from it. Starts false.
extern bool CdKeepPolling;

// ---- Music settings (filled by LoadMusicSettings at start-up, edited by the dialog) ------

extern int16_t BgmKind;        // 0 none, 1 audio CD, 2 music file; anything else plays nothing
extern int16_t BgmRepeat;      // CD repeat track; 0 repeats the whole disc
extern std::string BgmFile;    // full path of the music file (UTF-8), or empty
extern std::string BgmFolder;  // folder where the dialog's file chooser opens (UTF-8)

// ---- Command layer -----------------------------------------------------------------------

// Sends one command and always fills `reply` with usable text: the device's reply, the
// platform's description of the failure, or a fixed Japanese text. Returns the
// media-control code (0 success), or -1 for an empty command, which is not sent and leaves
// LastApiResult alone. Otherwise LastApiResult holds the raw code before any text is made.
int32_t MciSend(const std::string& command, std::string& reply);

// Status query: the reply on success, else "Error:" followed by the code (e.g. "Error:-1",
// "Error:275") with the description left in MciReplyText. Records the code in
// LastApiResult. Callers test for failure with "ERR" in the upper-cased result.
std::string MciStatus(const std::string& command);

// "play <device>[ from <start>][ to <end>]"; an empty position is left out. Returns MciSend's
// code; the reply lands in MciReplyText.
int32_t MciPlay(const std::string& device, const std::string& start, const std::string& end);

// ---- Music file ---------------------------------------------------------------------------

// Opens BgmFile under the alias "MP3Play" and plays it once. Fails quietly.
void Mp3Open();
// True exactly when the device reports "playing" (a paused, stopped or failed device is not).
bool Mp3IsPlaying();
// One-second timer: restarts the file from 0 whenever it is not playing.
void Mp3Repeat();
// Stops and closes "MP3Play".
void Mp3Close();
// Plays BgmFile as a looping asynchronous sound; does nothing without a wave output device.
void WavPlay();
// Stops any sound that WavPlay started; harmless when nothing plays.
void WavStop();

// ---- Audio CD -----------------------------------------------------------------------------

// Opens "cdaudio" with the tmsf time format; does not start playback.
void CdOpen();
// 200 ms timer: starts and restarts playback by BgmRepeat; sets CdKeepPolling.
void CdPoll();
// Stops and closes "cdaudio".
void CdClose();

}  // namespace qv
