// What a restart costs to tell an unchanged picture file, for tools/bench only; never shipped.
//   picture_check_bench <picture file> <rounds>
// Reads the file as a restart does (1 MB pieces through ReadFile) and times, per round and in
// turn: the read alone (the floor), the read compared with a copy held in memory, and the read
// through each digest that could stand for the copy. Prints "<name> <median ms> <worst ms>".
#define XXH_INLINE_ALL
#include <windows.h>
#include <bcrypt.h>
#include <xxhash.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <memory>
#include <vector>

namespace {

constexpr DWORD kPiece = 1u << 20;

double Now() {
    LARGE_INTEGER c, f;
    QueryPerformanceCounter(&c);
    QueryPerformanceFrequency(&f);
    return static_cast<double>(c.QuadPart) / static_cast<double>(f.QuadPart);
}

// Reads the whole file in pieces, handing each to `use`; false when the file cannot be read.
bool ReadInPieces(const char* path, std::uint8_t* piece,
                  const std::function<void(const std::uint8_t*, DWORD, ULONGLONG)>& use) {
    HANDLE h = CreateFileA(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                           FILE_FLAG_SEQUENTIAL_SCAN, nullptr);
    if (h == INVALID_HANDLE_VALUE) return false;
    ULONGLONG at = 0;
    DWORD got = 0;
    bool ok = true;
    while ((ok = ReadFile(h, piece, kPiece, &got, nullptr) != FALSE) && got > 0) {
        use(piece, got, at);
        at += got;
    }
    CloseHandle(h);
    return ok;
}

struct Candidate {
    const char* name;
    std::function<bool()> run;
    std::vector<double> ms = {};
};

}  // namespace

int main(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: picture_check_bench <picture file> <rounds>\n");
        return 2;
    }
    const char* path = argv[1];
    const int rounds = std::max(1, std::atoi(argv[2]));
    std::unique_ptr<std::uint8_t[]> piece(new std::uint8_t[kPiece]);

    // The copy today's check compares with.
    std::vector<std::uint8_t> copy;
    if (!ReadInPieces(path, piece.get(), [&](const std::uint8_t* p, DWORD n, ULONGLONG) {
            copy.insert(copy.end(), p, p + n);
        })) {
        std::fprintf(stderr, "picture_check_bench: cannot read %s\n", path);
        return 1;
    }
    volatile unsigned sink = 0;

    BCRYPT_ALG_HANDLE sha256 = nullptr;
    const bool haveSha256 = BCryptOpenAlgorithmProvider(&sha256, BCRYPT_SHA256_ALGORITHM, nullptr, 0) == 0;

    std::vector<Candidate> candidates;
    candidates.push_back({"read", [&] {
                              return ReadInPieces(
                                  path, piece.get(),
                                  [&](const std::uint8_t* p, DWORD, ULONGLONG) { sink = sink + p[0]; });
                          }});
    candidates.push_back({"read+compare", [&] {
                              bool same = true;
                              const bool ok = ReadInPieces(
                                  path, piece.get(), [&](const std::uint8_t* p, DWORD n, ULONGLONG at) {
                                      same =
                                          same && at + n <= copy.size() && std::memcmp(p, &copy[at], n) == 0;
                                  });
                              sink = sink + same;
                              return ok;
                          }});
    candidates.push_back({"read+xxh3-128", [&] {
                              XXH3_state_t state;
                              XXH3_128bits_reset(&state);
                              const bool ok = ReadInPieces(path, piece.get(),
                                                           [&](const std::uint8_t* p, DWORD n, ULONGLONG) {
                                                               XXH3_128bits_update(&state, p, n);
                                                           });
                              sink = sink + static_cast<unsigned>(XXH3_128bits_digest(&state).low64);
                              return ok;
                          }});
    if (haveSha256) {
        candidates.push_back({"read+sha256-bcrypt", [&] {
                                  BCRYPT_HASH_HANDLE hash = nullptr;
                                  if (BCryptCreateHash(sha256, &hash, nullptr, 0, nullptr, 0, 0) != 0)
                                      return false;
                                  const bool ok = ReadInPieces(
                                      path, piece.get(), [&](const std::uint8_t* p, DWORD n, ULONGLONG) {
                                          BCryptHashData(hash, const_cast<PUCHAR>(p), n, 0);
                                      });
                                  UCHAR digest[32];
                                  BCryptFinishHash(hash, digest, sizeof digest, 0);
                                  BCryptDestroyHash(hash);
                                  sink = sink + digest[0];
                                  return ok;
                              }});
    }

    // In turn within each round, so that what else the machine does falls on every candidate.
    for (int r = 0; r < rounds; ++r) {
        for (Candidate& c : candidates) {
            const double t0 = Now();
            if (!c.run()) return 1;
            c.ms.push_back((Now() - t0) * 1000.0);
        }
    }
    std::printf("bytes %zu\n", copy.size());
    for (Candidate& c : candidates) {
        std::sort(c.ms.begin(), c.ms.end());
        std::printf("%s %.2f %.2f\n", c.name, c.ms[c.ms.size() / 2], c.ms.back());
    }
    if (sha256) BCryptCloseAlgorithmProvider(sha256, 0);
    return 0;
}
