// The media command layer: send a command and turn its result into text.
#include "saver/music/mci_commands.h"

#include "saver/music/mci_text.h"
#include "saver/music/media_platform.h"
#include "saver/music/quorvale_bgm.h"

namespace qv {
namespace {

constexpr uint32_t kReplyLength = 512;
constexpr uint32_t kErrorTextLength = 256;

const char kNoCommandText[] = "コマンド文字列が指定されていません";
const char kNoErrorText[] = "Error (文字列が取れません)";

}  // namespace

int32_t MciSend(const std::string& command, std::string& reply) {
    if (command.empty()) {
        reply = kNoCommandText;
        return -1;
    }
    MediaPlatform& platform = CurrentMediaPlatform();
    std::string buffer;
    const int32_t code = platform.SendString(command, &buffer, kReplyLength);
    // Callers rely on the raw code being there before any text is produced.
    LastApiResult = code;
    if (code != 0) {
        std::string errorText;
        reply = platform.GetErrorString(code, errorText, kErrorTextLength) ? TextUpToNul(errorText)
                                                                           : kNoErrorText;
        return code;
    }
    reply = TextUpToNul(buffer);
    return 0;
}

std::string MciStatus(const std::string& command) {
    const int32_t code = MciSend(command, MciReplyText);
    LastApiResult = code;
    if (code != 0) return "Error:" + std::to_string(code);
    return MciReplyText;
}

int32_t MciPlay(const std::string& device, const std::string& start, const std::string& end) {
    std::string command = "play " + device;
    if (!start.empty()) command += " from " + start;
    if (!end.empty()) command += " to " + end;
    return MciSend(command, MciReplyText);
}

int32_t MciSendNoReply(const std::string& command) {
    return CurrentMediaPlatform().SendString(command, nullptr, 0);
}

}  // namespace qv
