// Bad input for the program's readers: a deterministic generator of damaged
// inputs made from a few valid seeds, and a runner that feeds a reader a
// few thousand of them and checks, on each, what the reader promises.
//
// A reader joins with one test in its folder's test file:
//
//   TEST(BadInput, MyReader)
//   {
//       TempFolder dir(badinput::ScratchBase());
//       badinput::Run("MyReader", {kValidFile, kOtherValidFile}, [&](const std::string& bytes) {
//           dir.Write("My.ini", bytes);
//           ...read it; EXPECT_... the invariants (values within the setters'
//           ranges, a save then a load gives the same object)...
//       });
//   }
//
// The runner times each input (a hang guard, not a speed test), stops at the
// first input that fails and prints it, and on a crash the test main prints
// the input in hand. PELLAMAR_BADINPUT_COUNT sets the inputs per reader
// (kDefaultCount in CI; 100000 and more by hand), PELLAMAR_BADINPUT_SEED
// another series. Test thread only.
#pragma once
#include <cstdint>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace badinput {

class MutationGenerator
{
public:
    enum Kind {
        kBitFlip,
        kByteChange,
        kTruncate,
        kHostileNumber,  // a number replaced by a huge, negative or odd one
        kInfNan,         // a number replaced by inf, nan or an overflowing one
        kLongLine,
        kNulByte,
        kEofByte,        // 0x1A, the end of a text-mode file
        kEncoding,       // a UTF-8 byte-order mark, or the text as UTF-16
        kLineEnds,       // CR-only, LF-only or mixed line ends
        kDeleteSpan,
        kDuplicateLine,
        kKindCount
    };

    explicit MutationGenerator(uint64_t seed) : m_state(seed) {}

    // A damaged copy of `seed`: one to four mutations, stacked.
    std::string Mutate(const std::string& seed);
    std::string Apply(Kind kind, const std::string& bytes);

    uint32_t Below(uint32_t n); // 0 when n is 0

private:
    uint64_t Next();
    std::string ReplaceNumber(const std::string& bytes, const char* const* texts, size_t count);

    uint64_t m_state;
};

const int kDefaultCount = 2000;
// An input that takes this long is taken for a hang.
const double kHangSeconds = 10.0;

int InputsPerReader();
uint64_t BaseSeed();

// Where the inputs are best written: a memory-backed folder when the system
// has one (under Wine, the host's /dev/shm: creating files on a disk costs
// milliseconds each), else the empty text, the system's temporary folder.
std::string ScratchBase();

// Runs `check` on every seed as it stands, then on InputsPerReader() damaged
// copies, each from a generator seeded by the base seed, the reader's name
// and the input's number. A reader of large inputs (a firmware image) takes
// a share of them: InputsPerReader() / countDivisor, at least one.
void Run(const char* reader, const std::vector<std::string>& seeds,
         const std::function<void(const std::string& bytes)>& check, int countDivisor = 1);

// The bytes with everything but printable ASCII escaped, cut to `max` bytes.
std::string Printable(const std::string& bytes, size_t max = 400);

// Called by the test main when a test crashes: names the input in hand.
void ReportInputInHand(FILE* out);

} // namespace badinput
