#pragma once
// The saver's error policy: a routine runs statement by statement, and a statement that fails
// (throws, or returns false) is skipped silently; the next one runs.
//
//   qv::RunStatements({
//       [&] { Master(0).Move(...); },
//       [&] { return qv::DeleteFileAt(path); },   // false counts as a failure
//   });
#include <functional>
#include <initializer_list>
#include <type_traits>
#include <utility>

namespace qv {

class Statement {
  public:
    template <class F, class = std::enable_if_t<std::is_invocable_v<F&>>>
    Statement(F f) {  // NOLINT: implicit on purpose, so lambdas can be listed directly
        using R = std::invoke_result_t<F&>;
        if constexpr (std::is_same_v<R, bool>) {
            run_ = std::move(f);
        } else {
            run_ = [g = std::move(f)]() mutable {
                g();
                return true;
            };
        }
    }
    // True when the statement ran to its end and did not report failure.
    bool Run() const;

  private:
    std::function<bool()> run_;
};

// Runs every statement in order; returns how many failed (callers usually ignore it).
int RunStatements(std::initializer_list<Statement> statements);

// One statement on its own; true when it succeeded.
bool TryStatement(const Statement& statement);

}  // namespace qv
