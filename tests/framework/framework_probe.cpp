// A small program the framework tests start: it reports what the program services see.
//   probe args            writes ArgumentText() and ProgramFolder() to %QV_PROBE_OUT%
//   probe endnow          loads a form whose unload handler writes a mark, then EndNow(7)
#include <windows.h>

#include <fstream>
#include <string>

#include "saver/framework/ansi_text.h"
#include "saver/framework/form.h"
#include "saver/framework/program.h"

namespace {

std::string OutPath() {
    char buf[MAX_PATH] = {};
    GetEnvironmentVariableA("QV_PROBE_OUT", buf, MAX_PATH);
    return buf;
}

void Write(const std::string& text) {
    std::ofstream out(OutPath(), std::ios::binary | std::ios::app);
    out << text << "\n";
}

}  // namespace

int main() {
    const std::string args = qv::ArgumentText();
    // The mode is the first word of the arguments; the rest is echoed.
    if (args.rfind("endnow", 0) == 0) {
        qv::FormDesign d;
        d.name = "Probe";
        qv::Form f(d);
        f.Form_Unload = [](int&) { Write("unload ran"); };
        f.Load();
        qv::EndNow(7);
    }
    wchar_t self[MAX_PATH] = {};
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    Write("args=[" + args + "]");
    Write("folder=[" + qv::ProgramFolder() + "]");
    Write("self=[" + qv::Narrow(self) + "]");
    return 3;
}
