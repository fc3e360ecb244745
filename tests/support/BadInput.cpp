#include "tests/support/BadInput.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdlib>

namespace badinput {

namespace {

const char* const kHostileNumbers[] = {
    "2147483647", "2147483648", "-2147483648", "-2147483649", "4294967295", "4294967296",
    "99999999999999999999", "-1", "0", "-0", "00000000000000000001", "1.5", "0x10", "+7", "",
};
const char* const kNotFinite[] = {"inf", "-inf", "nan", "INF", "NaN", "infinity", "1e999", "-1e999",
                                  "1e99", "2e62", "1e-999", "3.5e38", "1.8e308"};
const size_t kLongLineLengths[] = {4096, 65535, 65536, 65537, 100000};

template <class T, size_t N> constexpr size_t CountOf(T (&)[N]) { return N; }

// FNV-1a: mixes the reader's name into the series, so readers differ.
uint64_t HashName(const char* name)
{
    uint64_t h = 1469598103934665603ull;
    for (; *name; ++name)
        h = (h ^ (unsigned char)*name) * 1099511628211ull;
    return h;
}

std::string ToUtf16(const std::string& bytes, bool bigEndian, bool mark)
{
    std::string out;
    if (mark)
        out = bigEndian ? "\xFE\xFF" : "\xFF\xFE";
    for (char c : bytes) {
        char pair[2] = {c, '\0'};
        if (bigEndian)
            std::swap(pair[0], pair[1]);
        out.append(pair, 2);
    }
    return out;
}

std::string ReplaceAll(std::string text, const std::string& from, const std::string& to)
{
    for (size_t at = 0; (at = text.find(from, at)) != std::string::npos; at += to.size())
        text.replace(at, from.size(), to);
    return text;
}

// The input the runner is feeding a reader, for the crash report.
struct InHand
{
    const char* reader = nullptr;
    int number = -1;
    const std::string* bytes = nullptr;
} g_inHand;

double SecondsSince(LARGE_INTEGER start)
{
    LARGE_INTEGER now, frequency;
    ::QueryPerformanceCounter(&now);
    ::QueryPerformanceFrequency(&frequency);
    return double(now.QuadPart - start.QuadPart) / double(frequency.QuadPart);
}

} // namespace

uint64_t MutationGenerator::Next()
{
    // splitmix64: the same series on every compiler and system.
    uint64_t z = (m_state += 0x9E3779B97F4A7C15ull);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ull;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBull;
    return z ^ (z >> 31);
}

uint32_t MutationGenerator::Below(uint32_t n)
{
    return n ? (uint32_t)(Next() % n) : 0;
}

std::string MutationGenerator::ReplaceNumber(const std::string& bytes, const char* const* texts, size_t count)
{
    const std::string number = texts[Below((uint32_t)count)];
    std::vector<size_t> starts;
    for (size_t i = 0; i < bytes.size(); ++i)
        if (isdigit((unsigned char)bytes[i]) && (i == 0 || !isdigit((unsigned char)bytes[i - 1])))
            starts.push_back(i);
    if (starts.empty())
        return bytes + number;
    size_t start = starts[Below((uint32_t)starts.size())];
    if (start > 0 && bytes[start - 1] == '-')
        --start;
    size_t end = start + 1;
    while (end < bytes.size() && (isdigit((unsigned char)bytes[end]) || bytes[end] == '.'))
        ++end;
    return bytes.substr(0, start) + number + bytes.substr(end);
}

std::string MutationGenerator::Apply(Kind kind, const std::string& bytes)
{
    const size_t size = bytes.size();
    const size_t at = Below((uint32_t)size + 1);
    std::string out = bytes;
    switch (kind) {
    case kBitFlip:
        if (size)
            out[at % size] ^= (char)(1u << Below(8));
        break;
    case kByteChange:
        if (size)
            out[at % size] = (char)Below(256);
        break;
    case kTruncate:
        out.resize(at);
        break;
    case kHostileNumber:
        out = ReplaceNumber(bytes, kHostileNumbers, CountOf(kHostileNumbers));
        break;
    case kInfNan:
        out = ReplaceNumber(bytes, kNotFinite, CountOf(kNotFinite));
        break;
    case kLongLine: {
        const char fill[] = "x9=,[; ";
        out.insert(at, std::string(kLongLineLengths[Below(CountOf(kLongLineLengths))], fill[Below(7)]));
        break;
    }
    case kNulByte:
        out.insert(at, 1, '\0');
        break;
    case kEofByte:
        out.insert(at, 1, '\x1A');
        break;
    case kEncoding:
        switch (Below(4)) {
        case 0: out = "\xEF\xBB\xBF" + bytes; break;
        case 1: out = ToUtf16(bytes, false, true); break;
        case 2: out = ToUtf16(bytes, true, true); break;
        default: out = ToUtf16(bytes, false, false); break;
        }
        break;
    case kLineEnds: {
        const std::string lf = ReplaceAll(bytes, "\r\n", "\n");
        switch (Below(3)) {
        case 0: out = ReplaceAll(lf, "\n", "\r"); break;
        case 1: out = lf; break;
        default: out = ReplaceAll(lf, "\n", Below(2) ? "\r" : "\r\n"); break;
        }
        break;
    }
    case kDeleteSpan:
        out.erase(at, Below(64) + 1);
        break;
    case kDuplicateLine: {
        size_t begin = bytes.rfind('\n', at ? at - 1 : 0);
        begin = begin == std::string::npos ? 0 : begin + 1;
        size_t end = bytes.find('\n', begin);
        end = end == std::string::npos ? size : end + 1;
        out.insert(Below((uint32_t)size + 1), bytes.substr(begin, end - begin));
        break;
    }
    default:
        break;
    }
    return out;
}

std::string MutationGenerator::Mutate(const std::string& seed)
{
    std::string out = seed;
    const uint32_t mutations = 1 + Below(4);
    for (uint32_t i = 0; i < mutations; ++i)
        out = Apply((Kind)Below(kKindCount), out);
    return out;
}

int InputsPerReader()
{
    const char* text = std::getenv("PELLAMAR_BADINPUT_COUNT");
    const int n = text ? std::atoi(text) : 0;
    return n > 0 ? n : kDefaultCount;
}

uint64_t BaseSeed()
{
    const char* text = std::getenv("PELLAMAR_BADINPUT_SEED");
    return text ? std::strtoull(text, nullptr, 0) : 20240601ull;
}

std::string ScratchBase()
{
    const char kHostMemoryFolder[] = "Z:\\dev\\shm\\";
    const DWORD attributes = ::GetFileAttributesA(kHostMemoryFolder);
    const bool usable = attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
    return usable ? kHostMemoryFolder : std::string();
}

std::string Printable(const std::string& bytes, size_t max)
{
    std::string out;
    for (size_t i = 0; i < bytes.size() && i < max; ++i) {
        const unsigned char c = (unsigned char)bytes[i];
        char escaped[8];
        if (c == '\\')
            out += "\\\\";
        else if (c >= 0x20 && c < 0x7F)
            out += (char)c;
        else {
            snprintf(escaped, sizeof escaped, "\\x%02X", c);
            out += escaped;
        }
    }
    if (bytes.size() > max)
        out += "... (" + std::to_string(bytes.size()) + " bytes)";
    return out;
}

void Run(const char* reader, const std::vector<std::string>& seeds,
         const std::function<void(const std::string& bytes)>& check, int countDivisor)
{
    const int share = InputsPerReader() / (countDivisor > 1 ? countDivisor : 1);
    const int count = share > 0 ? share : 1;
    const uint64_t base = BaseSeed() ^ HashName(reader);
    const int total = (int)seeds.size() + count;
    double slowest = 0;
    for (int n = 0; n < total; ++n) {
        std::string bytes;
        if (n < (int)seeds.size()) {
            bytes = seeds[n];
        } else {
            MutationGenerator generator(base + (uint64_t)n);
            bytes = generator.Mutate(seeds[generator.Below((uint32_t)seeds.size())]);
        }
        g_inHand = {reader, n, &bytes};
        LARGE_INTEGER start;
        ::QueryPerformanceCounter(&start);
        check(bytes);
        const double seconds = SecondsSince(start);
        slowest = seconds > slowest ? seconds : slowest;
        if (::testing::Test::HasFailure() || seconds > kHangSeconds) {
            ADD_FAILURE() << reader << ": input " << n << " (seed " << BaseSeed() << ", " << seconds
                          << " s): \"" << Printable(bytes) << "\"";
            break;
        }
    }
    g_inHand = InHand();
    ::testing::Test::RecordProperty(std::string(reader) + "_slowest_ms", (int)(slowest * 1000));
}

void ReportInputInHand(FILE* out)
{
    if (!g_inHand.reader || !g_inHand.bytes)
        return;
    fprintf(out, "while reading bad input %d of %s (seed %llu): \"%s\"\n", g_inHand.number, g_inHand.reader,
            (unsigned long long)BaseSeed(), Printable(*g_inHand.bytes).c_str());
}

} // namespace badinput
