// Whether the session locks when the show ends ("On resume, display logon screen", or a policy
// that forces it), read from the system (show_rules.h decides).
#pragma once

namespace qv::renderer {

bool SessionLocksAfterShow();

}  // namespace qv::renderer
