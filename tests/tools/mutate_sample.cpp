// What tools/mutate changes, and what it must leave alone (comments: a < b, x + 1, f();).
#include <vector>
#define TWICE(x) ((x) * 2)

namespace sample {

struct Pair {
  int a = 0;
  int b;
};

int Sum(const std::vector<int>& values, int&& extra, const char* name) {
  int total = 0;
  for (int i = 0; i < static_cast<int>(values.size()); ++i) total += values[i];
  if (!name || name[0] == 'x') return -1;
  const char* text = "a < b && c + 1; f();";
  const char* raw = R"(x - 2 || y)";
  total = total * 2 - extra;
  Touch(total);
  switch (total) {
    case 3: Touch(3); break;
    default: break;
  }
  return total >= 10 ? total % 7 : (true && total != 4.5) | 0x1F;
}

}  // namespace sample

namespace {
Pair* spare = nullptr;  // a declaration, not a statement to remove
}
