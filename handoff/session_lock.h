// Whether the session locks when the show ends, read from the system (lock_setting.h decides).
#pragma once

namespace qv::handoff {

bool SessionLocksAfterShow();

}  // namespace qv::handoff
