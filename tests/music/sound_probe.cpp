// Proves that music reaches the sound device. Run with an ALSA `file` device that records
// 16-bit samples into the file named on the command line: drives the module as the saver
// window does and watches, every 100 ms, whether the newly recorded samples hold any sound.
// The MP3 is 1.5 s of tone and 0.5 s of silence, so each play is a stretch of its own.
//   sound_probe mp3|wav <music file> <recording>        exit 0 when the recording proves it
#include <windows.h>

#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <thread>
#include <vector>

#include "saver/music/quorvale_bgm.h"
#include "saver/music/win32_media_platform.h"

namespace {

using Clock = std::chrono::steady_clock;

class Recording {
  public:
    explicit Recording(const std::string& path)
        : file_(CreateFileA(path.c_str(), GENERIC_READ,
                            FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_ALWAYS,
                            FILE_ATTRIBUTE_NORMAL, nullptr)) {}
    ~Recording() {
        if (file_ != INVALID_HANDLE_VALUE) CloseHandle(file_);
    }
    bool ok() const { return file_ != INVALID_HANDLE_VALUE; }
    // Samples louder than a whisper among those written since the last call (16-bit).
    long NewSound() {
        long loud = 0;
        char chunk[65536];
        DWORD got = 0;
        while (ReadFile(file_, chunk + carry_, sizeof chunk - carry_, &got, nullptr) && got > 0) {
            const DWORD n = got + carry_;
            const DWORD whole = n / 2 * 2;
            for (DWORD i = 0; i < whole; i += 2) {
                const int v = static_cast<int16_t>(static_cast<uint8_t>(chunk[i]) |
                                                   (static_cast<uint8_t>(chunk[i + 1]) << 8));
                if (v > 100 || v < -100) ++loud;
            }
            carry_ = n - whole;
            if (carry_) chunk[0] = chunk[whole];
        }
        return loud;
    }

  private:
    HANDLE file_;
    DWORD carry_ = 0;
};

struct Tick {
    int ms;
    long loud;
    bool sound;
};

// Runs `action(elapsed ms)` every 100 ms for `totalMs`, logging whether sound was recorded.
template <typename Action>
std::vector<Tick> Watch(Recording& rec, int totalMs, Action action) {
    std::vector<Tick> ticks;
    const auto start = Clock::now();
    for (int ms = 0; ms <= totalMs; ms += 100) {
        std::this_thread::sleep_until(start + std::chrono::milliseconds(ms));
        action(ms);
        const long loud = rec.NewSound();
        ticks.push_back({ms, loud, loud > 0});
    }
    return ticks;
}

// Stretches of sound separated by at least 300 ms of quiet. (The recording arrives in bursts
// about every 200 ms, so a single quiet tick means nothing.)
std::vector<std::pair<int, int>> Stretches(const std::vector<Tick>& ticks, int untilMs) {
    std::vector<std::pair<int, int>> out;
    int quiet = 1000;
    for (const Tick& t : ticks) {
        if (t.ms > untilMs) break;
        if (t.sound) {
            if (quiet >= 300 || out.empty()) out.push_back({t.ms, t.ms});
            out.back().second = t.ms;
            quiet = 0;
        } else {
            quiet += 100;
        }
    }
    return out;
}

int LastSoundMs(const std::vector<Tick>& ticks) {
    int last = -1;
    for (const Tick& t : ticks)
        if (t.sound) last = t.ms;
    return last;
}

void Print(const std::vector<Tick>& ticks) {
    std::string line;
    for (const Tick& t : ticks) line += t.sound ? '#' : '.';
    std::printf("recording, one mark per 100 ms: %s\n", line.c_str());
}

int Mp3(Recording& rec) {
    // Saver window: open on load, repeat check every second, close after about 7 s.
    const int closeMs = 7000;
    qv::Mp3Open();
    auto ticks = Watch(rec, closeMs + 2000, [&](int ms) {
        if (ms > 0 && ms < closeMs && ms % 1000 == 0) qv::Mp3Repeat();
        if (ms == closeMs) qv::Mp3Close();
    });
    Print(ticks);
    const auto stretches = Stretches(ticks, closeMs);
    const int last = LastSoundMs(ticks);
    std::printf("sound stretches before close: %zu; last sound at %d ms; closed at %d ms\n", stretches.size(),
                last, closeMs);
    for (const auto& s : stretches) std::printf("  %d-%d ms\n", s.first, s.second);
    return stretches.size() >= 3 && last <= closeMs + 400 ? 0 : 1;
}

int Wav(Recording& rec) {
    // A one-second sound looped for 3.5 s must sound well past its own length.
    const int stopMs = 3500;
    qv::WavPlay();
    const int32_t started = qv::LastApiResult;
    auto ticks = Watch(rec, stopMs + 1500, [&](int ms) {
        if (ms == stopMs) qv::WavStop();
    });
    Print(ticks);
    int soundMs = 0;
    for (const Tick& t : ticks)
        if (t.sound && t.ms <= stopMs) soundMs += 100;
    const int last = LastSoundMs(ticks);
    std::printf("PlaySound result %d; %d ms of sound before stop; last sound at %d ms; stopped at %d ms\n",
                static_cast<int>(started), soundMs, last, stopMs);
    return started != 0 && soundMs >= 2500 && last <= stopMs + 400 ? 0 : 1;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 4) {
        std::fprintf(stderr, "usage: sound_probe mp3|wav <music file> <recording>\n");
        return 2;
    }
    qv::UseWin32MediaPlatform();
    Recording rec(argv[3]);
    if (!rec.ok()) {
        std::fprintf(stderr, "cannot read %s\n", argv[3]);
        return 2;
    }
    rec.NewSound();  // whatever came before is not ours
    qv::BgmFile = argv[2];
    const std::string mode = argv[1];
    const int rc = mode == "mp3" ? Mp3(rec) : mode == "wav" ? Wav(rec) : 2;
    std::fflush(stdout);
    return rc;
}
