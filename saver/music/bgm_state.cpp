// The module-wide state of Quorvale_BGM: one instance for the whole saver process.
#include "saver/music/quorvale_bgm.h"

namespace qv {

int32_t LastApiResult = 0;
std::string MciReplyText;
bool CdKeepPolling = false;

int16_t BgmKind = 0;
int16_t BgmRepeat = 0;
std::string BgmFile;
std::string BgmFolder;

}  // namespace qv
