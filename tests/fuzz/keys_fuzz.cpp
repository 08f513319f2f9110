// tovek-sim's keys-file parser on any text: it accepts or refuses without
// fault; a refusal is one line of bounded length naming the line, and every
// accepted script written out again parses to the same events.
#include <cstdint>
#include <string>
#include <string_view>

#include "game/sim/sim_options.h"
#include "tests/fuzz/fuzz_check.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    std::string error;
    const auto events = tovek::ParseKeyScript(text, "keys", error);
    if (!events) {
        // The file name, the line number, the expected form and at most 80
        // quoted characters of four bytes each.
        FUZZ_CHECK(error.starts_with("keys:") && error.find('\n') == std::string::npos);
        FUZZ_CHECK(error.find('\r') == std::string::npos && error.find('\0') == std::string::npos);
        FUZZ_CHECK(error.size() <= 160 + 20 + 80 * 4);
        return 0;
    }
    for (const tovek::KeyEvent& event : *events)
        FUZZ_CHECK(event.tick >= 1 && !tovek::KeyName(event.keyCode).empty());
    const auto again = tovek::ParseKeyScript(tovek::FormatKeyScript(*events), "keys", error);
    FUZZ_CHECK(again && again->size() == events->size());
    for (std::size_t i = 0; i < events->size(); ++i) {
        FUZZ_CHECK((*again)[i].tick == (*events)[i].tick && (*again)[i].down == (*events)[i].down &&
                   (*again)[i].keyCode == (*events)[i].keyCode);
    }
    return 0;
}
