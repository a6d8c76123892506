#include "saver/framework/skip_rule.h"

namespace qv {

bool Statement::Run() const {
    try {
        return run_ ? run_() : true;
    } catch (...) {
        // The skip rule: whatever the failure, the routine goes on with its next statement.
        return false;
    }
}

int RunStatements(std::initializer_list<Statement> statements) {
    int failed = 0;
    for (const Statement& s : statements) {
        if (!s.Run()) ++failed;
    }
    return failed;
}

bool TryStatement(const Statement& statement) { return statement.Run(); }

}  // namespace qv
