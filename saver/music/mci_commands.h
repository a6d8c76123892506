#pragma once
// Internal to the music module: commands whose reply nobody needs.
#include <cstdint>
#include <string>

namespace qv {

// Sends straight to the platform with no reply buffer; returns the code for callers that
// record it in LastApiResult.
int32_t MciSendNoReply(const std::string& command);

}  // namespace qv
