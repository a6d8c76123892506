// A file's whole content as bytes, for the tests that set up or check files in the working
// folder and elsewhere. Paths are narrow (the process's code page) or, on Windows, wide.
#pragma once
#include <fstream>
#include <iterator>
#include <string>

namespace qv::test {

namespace file_bytes_detail {
template <class Path>
bool Read(const Path& path, std::string* bytes) {
    std::ifstream in(path, std::ios::binary);
    if (!in) return false;
    bytes->assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    return true;
}
template <class Path>
bool Write(const Path& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    return static_cast<bool>(out);
}
}  // namespace file_bytes_detail

// False, with *bytes left alone, when the file cannot be opened.
inline bool ReadFileBytes(const std::string& path, std::string* bytes) {
    return file_bytes_detail::Read(path.c_str(), bytes);
}
// Empty when the file cannot be opened.
inline std::string ReadFileBytes(const std::string& path) {
    std::string bytes;
    ReadFileBytes(path, &bytes);
    return bytes;
}
// Replaces the file's content; false when it cannot be written.
inline bool WriteFileBytes(const std::string& path, const std::string& bytes) {
    return file_bytes_detail::Write(path.c_str(), bytes);
}

#ifdef _WIN32
inline std::string ReadFileBytes(const std::wstring& path) {
    std::string bytes;
    file_bytes_detail::Read(path.c_str(), &bytes);
    return bytes;
}
inline bool WriteFileBytes(const std::wstring& path, const std::string& bytes) {
    return file_bytes_detail::Write(path.c_str(), bytes);
}
#endif

}  // namespace qv::test
