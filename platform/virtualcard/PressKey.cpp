// VirtualCardKey: presses a key of the virtual card's remote control, on the
// card that runs in another process (the program, or a test).
//   VirtualCardKey <key code> [hold ms] [process id]
// The key code is 0-255, decimal or 0x-hexadecimal; the hold defaults to
// 200 ms. Without a process id every running card gets the key; with one,
// only the card of that process. Exit code 0 when the key was handed over,
// 1 when no card runs, 2 for bad arguments.
#include "platform/virtualcard/RemoteLink.h"

#include <cstdio>
#include <cstdlib>

namespace {

bool ParseNumber(const char* text, unsigned long limit, unsigned long* value)
{
    char* end = NULL;
    unsigned long parsed = strtoul(text, &end, 0);
    if (end == text || *end != '\0' || parsed > limit || text[0] == '-')
        return false;
    *value = parsed;
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    unsigned long key = 0, hold = 200, process = 0;
    if (argc < 2 || argc > 4 || !ParseNumber(argv[1], 255, &key) ||
        (argc >= 3 && !ParseNumber(argv[2], 5000, &hold)) ||
        (argc == 4 && !ParseNumber(argv[3], 0xFFFFFFFFul, &process))) {
        fprintf(stderr, "usage: VirtualCardKey <key code 0-255> [hold ms 0-5000] [process id]\n");
        return 2;
    }
    if (!virtualcard::PressRemoteKey(static_cast<uint8_t>(key), hold, process)) {
        fprintf(stderr, "VirtualCardKey: no virtual card is running\n");
        return 1;
    }
    return 0;
}
