#include "saver/settings_file/file_replacement.h"

namespace qv {

std::string BesidePath(const std::string& path) { return path + ".new"; }

bool ReplaceFileBytes(FileOperations& files, const std::string& path, const std::string& bytes) {
    const std::optional<FileState> state = files.State(path);
    // A read-only file stays as it is, even where the file system would let the owner write.
    if (!state || (state->exists && state->readOnly)) return false;
    const std::string beside = BesidePath(path);
    if (files.WriteNew(beside, bytes, state->exists ? state->attributes : 0) && files.MoveOver(beside, path))
        return true;
    files.Remove(beside);
    return false;
}

}  // namespace qv
