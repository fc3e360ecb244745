// The tuner module table: one row per module the cards carry, from the
// module makers' data sheets as the cards' drivers use them. Frequencies in
// kHz; band, control and address bytes in hex.
#include "hw/tuners/DemodTables.h"
#include "hw/tuners/ModuleTuner.h"

namespace {

// --- standard lists, in each module's own order -----------------------------
#define STDS(list) list, static_cast<int>(sizeof(list) / sizeof(list[0]))
const DWORD kNtscMJ[] = {STD_NTSC_M_J};
const DWORD kNtscM[] = {STD_NTSC_M};
const DWORD kNtscMPalMN[] = {STD_NTSC_M, STD_PAL_M, STD_PAL_N};
const DWORD kNtscMMJPalMN[] = {STD_NTSC_M, STD_NTSC_M_J, STD_PAL_M, STD_PAL_N};
const DWORD kNtscMMJ443[] = {STD_NTSC_M, STD_NTSC_M_J, STD_NTSC_433};
const DWORD kPalNM[] = {STD_PAL_N, STD_PAL_M};
const DWORD kPalDI[] = {STD_PAL_D, STD_PAL_I};
const DWORD kPalID[] = {STD_PAL_I, STD_PAL_D};
const DWORD kPalBD[] = {STD_PAL_B, STD_PAL_D};
const DWORD kPalDISecamDK[] = {STD_PAL_D, STD_PAL_I, STD_SECAM_D, STD_SECAM_K};
const DWORD kPalBSecamBG[] = {STD_PAL_B, STD_SECAM_B, STD_SECAM_G};
const DWORD kPalBISecamBG[] = {STD_PAL_B, STD_PAL_I, STD_SECAM_B, STD_SECAM_G};
const DWORD kPalDSecamDK[] = {STD_PAL_D, STD_SECAM_D, STD_SECAM_K};
const DWORD kPalBDSecamDKBG[] = {STD_PAL_B, STD_PAL_D, STD_SECAM_D, STD_SECAM_K, STD_SECAM_B,
                                 STD_SECAM_G};
const DWORD kPalBDSecamBGDK[] = {STD_PAL_B, STD_PAL_D, STD_SECAM_B, STD_SECAM_G, STD_SECAM_D,
                                 STD_SECAM_K};
const DWORD kPalBDSecamBDGK[] = {STD_PAL_B, STD_PAL_D, STD_SECAM_B, STD_SECAM_D, STD_SECAM_G,
                                 STD_SECAM_K};
const DWORD kPalBDSecamBDKG[] = {STD_PAL_B, STD_PAL_D, STD_SECAM_B, STD_SECAM_D, STD_SECAM_K,
                                 STD_SECAM_G};
const DWORD kPalBDSecamBDK[] = {STD_PAL_B, STD_PAL_D, STD_SECAM_B, STD_SECAM_D, STD_SECAM_K};
const DWORD kPalDBSecamBGDK[] = {STD_PAL_D, STD_PAL_B, STD_SECAM_B, STD_SECAM_G, STD_SECAM_D,
                                 STD_SECAM_K};
const DWORD kPalIDSecamDK[] = {STD_PAL_I, STD_PAL_D, STD_SECAM_D, STD_SECAM_K};
const DWORD kPalBDISecamLL1BGDK[] = {STD_PAL_B, STD_PAL_D, STD_PAL_I, STD_SECAM_L,
                                     STD_SECAM_L1, STD_SECAM_B, STD_SECAM_G, STD_SECAM_D,
                                     STD_SECAM_K};
const DWORD kPalBDISecamLL1DKBG[] = {STD_PAL_B, STD_PAL_D, STD_PAL_I, STD_SECAM_L,
                                     STD_SECAM_L1, STD_SECAM_D, STD_SECAM_K, STD_SECAM_B,
                                     STD_SECAM_G};
const DWORD kPalBDISecamBGDK[] = {STD_PAL_B, STD_PAL_D, STD_PAL_I, STD_SECAM_B, STD_SECAM_G,
                                  STD_SECAM_D, STD_SECAM_K};
const DWORD kPalDIBSecamBGDK[] = {STD_PAL_D, STD_PAL_I, STD_PAL_B, STD_SECAM_B, STD_SECAM_G,
                                  STD_SECAM_D, STD_SECAM_K};
const DWORD kPalBGDISecamBGDK[] = {STD_PAL_B, STD_PAL_G, STD_PAL_D, STD_PAL_I, STD_SECAM_B,
                                   STD_SECAM_G, STD_SECAM_D, STD_SECAM_K};
const DWORD kPalBDISecamBDL[] = {STD_PAL_B, STD_PAL_D, STD_PAL_I, STD_SECAM_B, STD_SECAM_D,
                                 STD_SECAM_L};
const DWORD kPalBDISecamL[] = {STD_PAL_B, STD_PAL_D, STD_PAL_I, STD_SECAM_L};
const DWORD kPalBDISecamLBGDK[] = {STD_PAL_B, STD_PAL_D, STD_PAL_I, STD_SECAM_L, STD_SECAM_B,
                                   STD_SECAM_G, STD_SECAM_D, STD_SECAM_K};
const DWORD kPalBDGHIMSecamLL1[] = {STD_PAL_B, STD_PAL_D, STD_PAL_G, STD_PAL_H, STD_PAL_I,
                                    STD_PAL_M, STD_SECAM_L, STD_SECAM_L1};
const DWORD kPalBDIGSecamLL1[] = {STD_PAL_B, STD_PAL_D, STD_PAL_I, STD_PAL_G, STD_SECAM_L,
                                  STD_SECAM_L1};

} // namespace

// The set-ups and status maps other tuner classes share are declared in
// DemodTables.h; the rest keep to this file (const: internal linkage).
// --- IF demodulator set-ups (registers 0, 1, 2 by column) ---------------------
const DWORD kSecamDK = STD_SECAM_D | STD_SECAM_K;
const DemodSetup kJS2PCSetup = {0x56, false,
    {{STD_PAL_B, 0}, {STD_PAL_I, 1}, {STD_PAL_D, 2}, {STD_SECAM_L, 3}, {STD_SECAM_L1, 4}}, 0,
    {{0x56, 0x56, 0x56, 0x46, 0xC6}, {0x70, 0x70, 0x70, 0x70, 0x70}, {0x09, 0x0A, 0x0B, 0x0B, 0x13}},
    SETUP_RESULT_LAST, 100};
const DemodSetup kJS6B2Setup = {0x86, false,
    {{STD_PAL_B, 0}, {STD_PAL_I, 1}, {STD_PAL_D, 2}, {STD_SECAM_L, 3}, {STD_SECAM_L1, 4}}, 0,
    {{0x56, 0x56, 0x56, 0x46, 0xC6}, {0x70, 0x70, 0x70, 0x50, 0x50}, {0x09, 0x0A, 0x0B, 0x4B, 0x13}},
    SETUP_RESULT_LAST, 100};
const DemodSetup kPhilips1216Setup = {0x86, false,
    {{STD_PAL_B, 0}, {STD_PAL_D, 1}, {STD_PAL_I, 2}, {STD_SECAM_L, 3}, {STD_SECAM_L1, 4},
     {kSecamDK, 5}}, 0,
    {{0x16, 0x16, 0x16, 0x06, 0x86, 0x16}, {0x70, 0x70, 0x70, 0x50, 0x50, 0x70},
     {0x49, 0x4B, 0x4A, 0x4B, 0x53, 0x4B}},
    SETUP_RESULT_LAST, 0};
const DemodSetup kFQ1216MESetup = {0x86, false,
    {{STD_PAL_B, 0}, {STD_PAL_D, 1}, {STD_PAL_I, 2}, {STD_SECAM_L, 3}, {STD_SECAM_L1, 4}}, 0,
    {{0x16, 0x16, 0x16, 0x06, 0x86}, {0x70, 0x70, 0x70, 0x50, 0x50}, {0x49, 0x4B, 0x4A, 0x4B, 0x53}},
    SETUP_RESULT_LAST, 0};
const DemodSetup kLGS200TSetup = {0x86, false,
    {{STD_PAL_B, 0}, {STD_PAL_I, 1}, {STD_PAL_D, 2}, {STD_SECAM_L, 3}, {STD_SECAM_L1, 4}}, 0,
    {{0x16, 0x16, 0xD6, 0x06, 0x86}, {0x70, 0x70, 0x70, 0x70, 0x70}, {0x49, 0x4B, 0x4A, 0x4B, 0x47}},
    SETUP_RESULT_LAST, 0};
const DemodSetup kTNJ3321CFSetup = {0x86, false,
    {{STD_PAL_B | STD_SECAM_B, 0}, {STD_PAL_D | STD_SECAM_D, 1}, {STD_PAL_I, 2}, {STD_SECAM_L, 3}}, 0,
    {{0x16, 0x16, 0x16, 0x06}, {0x70, 0x70, 0x70, 0x50}, {0x49, 0x4B, 0x4A, 0x4B}},
    SETUP_RESULT_LAST, 0};
const DemodSetup kTNJ8852CFFSetup = {0x86, false,
    {{STD_PAL_B, 0}, {STD_PAL_D, 1}, {STD_PAL_I, 2},
     {STD_SECAM_B | STD_SECAM_D | STD_SECAM_G | STD_SECAM_K | STD_SECAM_L, 3}}, 0,
    {{0x16, 0x16, 0x16, 0x06}, {0x70, 0x70, 0x30, 0x50}, {0x49, 0x4B, 0x4A, 0x4B}},
    SETUP_RESULT_LAST, 0};
const DemodSetup kTNJ7752Setup = {0x86, false, {{STD_NTSC_M, 0}, {STD_NTSC_M_J, 1}}, 0,
    {{0x16, 0x16}, {0x70, 0x70}, {0x00, 0x00}}, SETUP_RESULT_LAST, 0};
const DemodSetup kTCL9886Setup = {0x86, true, {{STD_PAL_B, 0}, {STD_PAL_I, 1}, {STD_PAL_D, 2}}, 0,
    {{0x52, 0x52, 0x52}, {0x70, 0x70, 0x70}, {0x09, 0x0A, 0x0B}}, SETUP_RESULT_FIRST, 0};
const DemodSetup kTNJ8352Setup = {0x86, true, {{STD_PAL_B, 0}, {STD_PAL_I, 1}, {STD_PAL_D, 2}}, 0,
    {{0xD6, 0xD6, 0xD6}, {0x30, 0x30, 0x30}, {0x49, 0x4A, 0x4A}}, SETUP_RESULT_FIRST, 0};
// Register 2 by standard, registers 0 and 1 fixed; a failing write ends it.
const DemodSetup kLGM200TSetup = {0x86, true, {{STD_PAL_B, 0}, {STD_PAL_D, 1}}, 2,
    {{0xD6, 0xD6, 0xD6}, {0x70, 0x70, 0x70}, {0x49, 0x4B, 0x4A}}, SETUP_STOP_ON_FAILURE, 0};
const DemodSetup kTNJ3321PFSetup = {0x86, true, {{STD_PAL_B | STD_PAL_G, 0}, {STD_PAL_D, 1}}, 2,
    {{0xD6, 0xD6, 0xD6}, {0x70, 0x70, 0x70}, {0x49, 0x4B, 0x4A}}, SETUP_STOP_ON_FAILURE, 0};
// The same three bytes whatever the standard.
const DemodSetup kTNJ3321MFSetup = {0x86, true, {}, 0, {{0xD6}, {0x30}, {0x00}},
                                    SETUP_STOP_ON_FAILURE, 0};
const DemodSetup kFQ1236FSetup = {0x86, true, {}, 0, {{0x56}, {0x30}, {0x44}},
                                  SETUP_STOP_ON_FAILURE, 0};
const DemodSetup kFQ1286Setup = {0x86, true, {}, 0, {{0x56}, {0x30}, {0x40}},
                                 SETUP_STOP_ON_FAILURE, 0};

// --- demodulator status: AFC code by a = (status >> 1) & 15 ------------------
//                                   a: 0  1  2  3  4  5  6  7  8  9 10 11 12 13 14 15
const BYTE kDemodAfcA[16] =          {3, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 2, 1, 1, 1, 3};
const BYTE kDemodAfcB[16] =          {3, 2, 2, 2, 4, 4, 4, 4, 0, 0, 0, 0, 1, 1, 1, 3};
const BYTE kDemodAfcC[16] =          {3, 3, 3, 3, 2, 2, 2, 2, 2, 2, 2, 2, 1, 1, 1, 3};
const BYTE kDemodAfcD[16] =          {3, 3, 3, 3, 2, 2, 2, 2, 2, 2, 2, 2, 3, 3, 3, 3};

namespace {

const FmDemodSetup kFmRadioBytes = {false, {0x5D, 0x10, 0x00}};
const FmDemodSetup kFmFM1236MK3 = {true, {0x0A, 0x90, 0x20}};

// --- behaviours --------------------------------------------------------------
const ModuleBehaviour kPanasonic = {TUNE_BASE, 0, AUX_NONE, 5, nullptr, STATUS_DEMOD, kDemodAfcA,
                                    nullptr, FMSTATUS_PLL};
const ModuleBehaviour kJS2PC = {TUNE_CLAMP, 33900, AUX_NONE, 5, &kJS2PCSetup, STATUS_PLL, nullptr,
                                nullptr, FMSTATUS_PLL};
const ModuleBehaviour kJS6B2 = {TUNE_CLAMP, 33950, AUX_NONE, 5, &kJS6B2Setup, STATUS_PLL, nullptr,
                                nullptr, FMSTATUS_PLL};
const ModuleBehaviour kPhilips1216 = {TUNE_CLAMP, 33900, AUX_SECAM_L, 6, &kPhilips1216Setup,
                                      STATUS_DEMOD, kDemodAfcB, nullptr, FMSTATUS_PLL};
const ModuleBehaviour kFQ1216ME = {TUNE_CLAMP, 0, AUX_SECAM_L, 6, &kFQ1216MESetup, STATUS_DEMOD,
                                   kDemodAfcA, nullptr, FMSTATUS_PLL};
const ModuleBehaviour kFQ1216ME5 = {TUNE_CLAMP, 0, AUX_SECAM_L, 5, &kFQ1216MESetup, STATUS_DEMOD,
                                    kDemodAfcC, nullptr, FMSTATUS_PLL};
const ModuleBehaviour kFQ1286 = {TUNE_CLAMP, 0, AUX_FIXED_50, 6, &kFQ1286Setup, STATUS_DEMOD,
                                 kDemodAfcB, nullptr, FMSTATUS_PLL};
const ModuleBehaviour kTNJ3321PF = {TUNE_OFFSET_250, 0, AUX_NONE, 5, &kTNJ3321PFSetup, STATUS_PLL,
                                    nullptr, nullptr, FMSTATUS_PLL};
const ModuleBehaviour kTNJ3321MF = {TUNE_OFFSET_250, 0, AUX_NONE, 5, &kTNJ3321MFSetup, STATUS_PLL,
                                    nullptr, nullptr, FMSTATUS_PLL};
const ModuleBehaviour kTNJ3321CF = {TUNE_OFFSET_250, 0, AUX_NONE, 5, &kTNJ3321CFSetup, STATUS_BIT6,
                                    nullptr, nullptr, FMSTATUS_PLL};
const ModuleBehaviour kLGM200T = {TUNE_BASE, 0, AUX_NONE, 5, &kLGM200TSetup, STATUS_PLL, nullptr,
                                  nullptr, FMSTATUS_PLL};
const ModuleBehaviour kLGS200T = {TUNE_BASE, 0, AUX_NONE, 5, &kLGS200TSetup, STATUS_DEMOD,
                                  kDemodAfcC, nullptr, FMSTATUS_PLL};
const ModuleBehaviour kTNJ8852CFF = {TUNE_BASE, 0, AUX_NONE, 5, &kTNJ8852CFFSetup, STATUS_DEMOD,
                                     kDemodAfcD, &kFmRadioBytes, FMSTATUS_DEMOD_ANY_FLAG};
const ModuleBehaviour kTNJ7752 = {TUNE_BASE, 0, AUX_NONE, 5, &kTNJ7752Setup, STATUS_DEMOD,
                                  kDemodAfcA, &kFmRadioBytes, FMSTATUS_DEMOD_ANY_FLAG};
const ModuleBehaviour kTCL9886 = {TUNE_BASE, 0, AUX_NONE, 5, &kTCL9886Setup, STATUS_PLL, nullptr,
                                  nullptr, FMSTATUS_PLL};
const ModuleBehaviour kTNJ8352 = {TUNE_BASE, 0, AUX_NONE, 5, &kTNJ8352Setup, STATUS_DEMOD,
                                  kDemodAfcC, nullptr, FMSTATUS_PLL};
const ModuleBehaviour kFQ1236F = {TUNE_BASE, 0, AUX_NONE, 5, &kFQ1236FSetup, STATUS_DEMOD,
                                  kDemodAfcB, nullptr, FMSTATUS_PLL};
const ModuleBehaviour kFM1236MK3 = {TUNE_BASE, 0, AUX_NONE, 5, &kFQ1236FSetup, STATUS_DEMOD,
                                    kDemodAfcB, &kFmFM1236MK3, FMSTATUS_DEMOD_ALL_FLAGS};
// Standard set-up in its own class; the demodulator's status as these.
const ModuleBehaviour kTNJ8355CF = {TUNE_BASE, 0, AUX_NONE, 5, nullptr, STATUS_PLL, nullptr,
                                    nullptr, FMSTATUS_PLL};

#define FM_NONE {0, 0, 0, 0xCE, 0x01}

// type, class, id2, maker, range, band switch, band edges, band bytes, control, IF,
// write/status address, FM, FM on, tuned AFC, re-apply, standards, behaviour, first standard
const TunerModuleData kModules[] = {
    {100, "CPANOSONIC_ENGE4326D", 100, 'O', 91250, 765250, 165250, 463250, 171250, 471250, 0x01, 0x02, 0x08, 0xCE, 58750, 0xC0, 0xC1, FM_NONE, false, 3, true, STDS(kNtscMJ), &kPanasonic, 0},
    {12, "CJS_2PCTuner", 12, 'G', 49750, 863250, 160250, 464250, 168250, 471250, 0x01, 0x02, 0x04, 0xCE, 38900, 0xC0, 0x87, FM_NONE, false, 2, true, STDS(kPalBDISecamLL1BGDK), &kJS2PC, 0},
    {11, "CTCL2002MI_1F", 11, 'T', 48250, 863250, 170000, 450000, 170000, 450000, 0xA0, 0x90, 0x30, 0xCE, 38900, 0xC0, 0xC1, {87000, 107800, 10700, 0x8A, 0xA5}, true, 2, false, STDS(kPalDISecamDK), nullptr, 0},
    {4, "CTCL2002MI_3", 4, 'T', 48250, 863250, 170000, 450000, 170000, 450000, 0x01, 0x02, 0x08, 0xCE, 38900, 0xC0, 0xC1, FM_NONE, false, 2, false, STDS(kPalDISecamDK), nullptr, 0},
    {2, "CTCL2002N_1F", 2, 'T', 55250, 801250, 169250, 445250, 175250, 451250, 0x01, 0x02, 0x08, 0xCE, 45750, 0xC0, 0xC1, {87000, 108000, 41250, 0x82, 0x05}, true, 3, false, STDS(kNtscMPalMN), nullptr, 0},
    {3, "CTCL2002NJ_5", 3, 'T', 91000, 765000, 170000, 450000, 170000, 450000, 0x01, 0x02, 0x08, 0xCE, 58750, 0xC0, 0xC0, FM_NONE, false, 3, false, STDS(kNtscMJ), nullptr, 0},
    {1, "CTCL2002N_1", 17, 'T', 55250, 801250, 169250, 445250, 175250, 451250, 0x01, 0x02, 0x08, 0xCE, 45750, 0xC0, 0xC1, FM_NONE, false, 2, false, STDS(kNtscMPalMN), nullptr, 0},
    {5, "CTCL2002MB_3", 5, 'T', 48250, 863250, 170000, 450000, 170000, 450000, 0x01, 0x02, 0x08, 0xCE, 38900, 0xC0, 0xC1, FM_NONE, false, 2, false, STDS(kPalBDSecamDKBG), nullptr, 0},
    {10, "CTCL2002MB_1F", 10, 'T', 48250, 863250, 170000, 450000, 170000, 450000, 0xA0, 0x90, 0x30, 0xC8, 38900, 0xC0, 0xC0, {87000, 108000, 10700, 0x8A, 0xA5}, true, 2, false, STDS(kPalBDSecamBGDK), nullptr, 0},
    {14, "CTCL2002MB_33F", 14, 'T', 48250, 863250, 170000, 450000, 170000, 450000, 0xA0, 0x90, 0x30, 0xCE, 38900, 0xC0, 0xC1, {87000, 108000, 10700, 0x8A, 0xA5}, true, 3, false, STDS(kPalBDSecamBDGK), nullptr, 0},
    {15, "CTCL9809N_1F", 15, 'T', 55250, 801250, 169250, 445250, 175250, 451250, 0xA0, 0x90, 0x30, 0xCE, 45750, 0xC7, 0xC6, {87000, 108000, 10700, 0x8A, 0xA5}, true, 2, false, STDS(kNtscMPalMN), nullptr, 0},
    {35, "CXINFA_TDQ_6B4_DI", 35, 'X', 49750, 863250, 168250, 448250, 176250, 456250, 0x01, 0x02, 0x08, 0xCE, 38900, 0xC0, 0xC1, FM_NONE, false, 2, false, STDS(kPalDISecamDK), nullptr, 0},
    {32, "CXINFA_TDQ_6B_B", 32, 'X', 48250, 863250, 168250, 447250, 175250, 455250, 0xA0, 0x90, 0x30, 0xCE, 38900, 0xC2, 0xC3, FM_NONE, false, 2, false, STDS(kPalBSecamBG), nullptr, 0},
    {33, "CXINFA_TDQ_6B_DI", 33, 'X', 49750, 863250, 168250, 448250, 176250, 456250, 0xA0, 0x90, 0x30, 0xCE, 38900, 0xC0, 0xC1, FM_NONE, false, 2, false, STDS(kPalDISecamDK), nullptr, 0},
    {34, "CXINFA_TDQ_6B_N", 34, 'X', 55250, 863250, 169250, 451250, 175250, 457250, 0xA0, 0x90, 0x30, 0xCE, 45750, 0xC0, 0xC1, FM_NONE, false, 2, false, STDS(kNtscMPalMN), nullptr, 0},
    {52, "CTNF8532BF", 52, 'A', 48250, 855250, 161250, 463250, 168250, 471250, 0x01, 0x02, 0x08, 0xCE, 38900, 0xC0, 0xC1, FM_NONE, false, 2, false, STDS(kPalDBSecamBGDK), nullptr, 0},
    {53, "CTNF8532DF", 52, 'A', 49750, 855250, 160250, 464250, 168250, 471250, 0x01, 0x02, 0x08, 0xCE, 38000, 0xC0, 0xC1, FM_NONE, false, 2, false, STDS(kPalDSecamDK), nullptr, 0},
    {54, "CTNF8532MF", 56, 'A', 55250, 801250, 139250, 391250, 145250, 397250, 0x01, 0x02, 0x08, 0xCE, 45750, 0xC0, 0xC1, FM_NONE, false, 2, false, STDS(kNtscMPalMN), nullptr, 0},
    {55, "CTNF5831MFF", 57, 'A', 55250, 855250, 163250, 463250, 169250, 469250, 0xA0, 0x90, 0x30, 0xCE, 45750, 0xC0, 0xC1, {87500, 108000, 10700, 0x8A, 0xA5}, true, 2, false, STDS(kNtscMPalMN), nullptr, 0},
    {56, "CTNF5532JF", 54, 'A', 91250, 769250, 165250, 463250, 165250, 463250, 0x01, 0x02, 0x08, 0xCE, 58750, 0xC0, 0xC1, FM_NONE, false, 2, false, STDS(kNtscMJ), nullptr, 0},
    {57, "CTNF5532MF", 55, 'A', 55250, 801250, 163250, 463250, 169250, 469250, 0x01, 0x02, 0x08, 0xCE, 45750, 0xC0, 0xC1, FM_NONE, false, 2, false, STDS(kNtscMPalMN), nullptr, 0},
    {58, "CTNF9835", 58, 'A', 49250, 863250, 160250, 464250, 168250, 471250, 0x01, 0x02, 0x08, 0xCE, 38900, 0xC0, 0xC1, {87500, 108000, 10700, 0x8A, 0x11}, true, 2, false, STDS(kPalDISecamDK), nullptr, 0},
    {13, "CJS_6B2", 13, 'G', 45250, 855250, 161250, 463250, 168250, 471250, 0x01, 0x02, 0x04, 0xCE, 38900, 0xC0, 0xC1, FM_NONE, false, 2, true, STDS(kPalBDISecamLL1BGDK), &kJS6B2, 0},
    {72, "CLGM200T", 16, 'L', 49750, 863250, 147250, 425250, 147250, 425250, 0x01, 0x02, 0x08, 0x8E, 38900, 0xC0, 0xC1, FM_NONE, false, 3, true, STDS(kPalBDISecamBGDK), &kLGM200T, 0},
    {73, "CLGH200T", 73, 'L', 55250, 801250, 127250, 361250, 133250, 367250, 0x01, 0x02, 0x08, 0x8E, 45750, 0xC0, 0xC1, FM_NONE, false, 3, false, STDS(kNtscMMJPalMN), nullptr, 0},
    {92, "CPhilips1216", 92, 'P', 48250, 863250, 160000, 442000, 160000, 442000, 0x01, 0x02, 0x04, 0xCE, 38900, 0xC0, 0xC1, {87000, 107800, 10700, 0x88, 0x19}, true, 3, true, STDS(kPalBDISecamLL1DKBG), &kPhilips1216, 0},
    {93, "CFQ1216ME", 93, 'P', 48250, 863250, 160000, 442000, 160000, 442000, 0x01, 0x02, 0x04, 0xCE, 38900, 0xC0, 0xC1, FM_NONE, false, 3, true, STDS(kPalBDISecamLL1BGDK), &kFQ1216ME, 0},
    {17, "CTCL9886P_WM", 17, 'T', 48250, 855250, 126250, 359250, 133250, 367250, 0x01, 0x02, 0x08, 0xCE, 38900, 0xC0, 0xC1, FM_NONE, false, 2, true, STDS(kPalDIBSecamBGDK), &kTCL9886, 0},
    {59, "CTNJ3321PF", 59, 'A', 44250, 863250, 140250, 423250, 147250, 431250, 0x01, 0x02, 0x08, 0x8E, 38900, 0xC0, 0xC1, FM_NONE, false, 3, true, STDS(kPalBGDISecamBGDK), &kTNJ3321PF, 0},
    {60, "CTNF9535BDF", 60, 'A', 48250, 863250, 161250, 464250, 168250, 471250, 0x01, 0x02, 0x08, 0xCE, 38900, 0xC0, 0xC1, {87500, 108000, 10700, 0x8A, 0xA5}, false, 1, false, STDS(kPalBDSecamBGDK), nullptr, 0},
    {61, "CTNF7532PRF", 61, 'A', 55250, 801250, 163250, 463250, 169250, 469250, 0x01, 0x02, 0x08, 0xCE, 45750, 0xC1, 0xC0, {87500, 108000, 10700, 0x8A, 0xA5}, false, 1, true, STDS(kPalNM), nullptr, 0},
    {62, "CTNF9835BDFF", 62, 'A', 48250, 863250, 161250, 463250, 168250, 471250, 0x01, 0x02, 0x08, 0xCE, 38900, 0xC0, 0xC1, {87500, 108000, 10700, 0x8A, 0x11}, true, 1, false, STDS(kPalBDSecamBDKG), nullptr, 0},
    {63, "CTNJ3321MF", 63, 'A', 44250, 863250, 140250, 423250, 147250, 431250, 0x01, 0x02, 0x08, 0xCE, 45750, 0xC0, 0xC1, FM_NONE, false, 2, false, STDS(kNtscMPalMN), &kTNJ3321MF, 0},
    {74, "CLGH202T", 74, 'L', 55250, 801250, 127250, 361250, 133250, 367250, 0x01, 0x02, 0x08, 0xCE, 45750, 0xC0, 0xC1, FM_NONE, false, 3, false, STDS(kNtscMMJPalMN), nullptr, 0},
    {94, "CFQ1236F", 94, 'P', 55250, 801250, 160000, 442000, 160000, 442000, 0x01, 0x02, 0x04, 0xCE, 45750, 0xC0, 0xC1, FM_NONE, false, 2, false, STDS(kNtscMPalMN), &kFQ1236F, 0},
    {96, "CPhilipsFQ1286", 96, 'P', 91250, 765250, 160000, 442000, 160000, 442000, 0x01, 0x02, 0x04, 0xCE, 58750, 0xC0, 0xC1, FM_NONE, false, 2, true, STDS(kNtscMJ), &kFQ1286, STD_NTSC_M_J},
    {64, "CTNF5531MF", 64, 'A', 55250, 801250, 163250, 463250, 169250, 469250, 0xA0, 0x90, 0x30, 0xCE, 45750, 0xC0, 0xC1, FM_NONE, false, 2, false, STDS(kNtscMPalMN), nullptr, 0},
    {65, "CTNF5835MFF", 65, 'A', 55250, 801250, 163250, 463250, 169250, 469250, 0x01, 0x02, 0x08, 0xCE, 45750, 0xC0, 0xC1, {76000, 108000, 10700, 0x8A, 0x11}, true, 2, false, STDS(kNtscMPalMN), nullptr, 0},
    {66, "CTNF5535MF", 66, 'A', 55250, 801250, 163250, 463250, 169250, 469250, 0x01, 0x02, 0x08, 0xCE, 45750, 0xC0, 0xC1, FM_NONE, false, 2, false, STDS(kNtscMPalMN), nullptr, 0},
    {97, "CFQ1216ME_5", 97, 'P', 48250, 863250, 160000, 442000, 160000, 442000, 0x01, 0x02, 0x04, 0xCE, 38900, 0xC0, 0xC1, FM_NONE, false, 3, true, STDS(kPalBDISecamLL1BGDK), &kFQ1216ME5, 0},
    {98, "CFM1236MK3", 98, 'P', 55250, 801250, 160000, 442000, 160000, 442000, 0x01, 0x02, 0x04, 0xCE, 45750, 0xC0, 0xC1, {87500, 108000, 10700, 0xCE, 0x01}, true, 2, false, STDS(kNtscMPalMN), &kFM1236MK3, 0},
    {67, "CTNJ3321CF", 67, 'A', 44250, 863250, 140250, 423250, 147250, 431250, 0x01, 0x02, 0x08, 0xCE, 38900, 0xC0, 0xC1, FM_NONE, false, 1, true, STDS(kPalBDISecamBDL), &kTNJ3321CF, 0},
    {68, "CTNJ7752JFF_MK5", 68, 'A', 91250, 765250, 165250, 463250, 171250, 471250, 0x21, 0x22, 0x28, 0xCE, 58750, 0xC0, 0xC1, {76000, 91000, 10700, 0x8A, 0x11}, true, 3, true, STDS(kNtscMMJPalMN), &kTNJ7752, 0},
    {75, "CLGS200T", 75, 'L', 48250, 855250, 140250, 423250, 147250, 431250, 0x01, 0x02, 0x08, 0xCE, 38900, 0xC0, 0xC1, FM_NONE, false, 3, true, STDS(kPalBDISecamL), &kLGS200T, 0},
    {69, "CTNF9935BDFF", 69, 'A', 48250, 863250, 161250, 463250, 168250, 471250, 0x01, 0x02, 0x08, 0xCE, 38900, 0xC0, 0xC1, {87500, 108000, 10700, 0x8A, 0x11}, true, 2, false, STDS(kPalBDSecamBDKG), nullptr, 0},
    {110, "CFS5_1A5_BG1", 110, 'C', 48250, 863250, 140250, 423250, 147250, 431250, 0x01, 0x02, 0x08, 0xCE, 38900, 0xC0, 0xC1, FM_NONE, false, 2, false, STDS(kPalBSecamBG), nullptr, 0},
    {70, "CTNJ8852CFF", 70, 'A', 44250, 863250, 161250, 463250, 168250, 471250, 0x11, 0x12, 0x18, 0xCE, 38900, 0xC0, 0xC1, {87500, 108000, 10700, 0x8A, 0x21}, true, 3, true, STDS(kPalBDISecamLBGDK), &kTNJ8852CFF, 0},
    {130, "CTNF9533BDF", 130, 'A', 48250, 863250, 161250, 464250, 168250, 471250, 0x01, 0x02, 0x04, 0xCE, 38900, 0xC0, 0xC1, FM_NONE, false, 2, false, STDS(kPalBDSecamBDK), nullptr, 0},
    {131, "CTNF9533DIF", 131, 'A', 49250, 863250, 160250, 464250, 168250, 471250, 0x01, 0x02, 0x04, 0xCE, 38000, 0xC0, 0xC1, FM_NONE, false, 2, false, STDS(kPalIDSecamDK), nullptr, 0},
    {132, "CTNJ8352PF", 132, 'A', 44250, 863250, 161250, 463250, 168250, 471250, 0x01, 0x02, 0x04, 0xCE, 38900, 0xC0, 0xC1, FM_NONE, false, 3, true, STDS(kPalDIBSecamBGDK), &kTNJ8352, 0},
    {133, "CTNF9535DIF", 133, 'A', 49750, 863250, 160250, 464250, 168250, 471250, 0x01, 0x02, 0x08, 0xCE, 38900, 0xC0, 0xC1, FM_NONE, false, 3, false, STDS(kPalDISecamDK), nullptr, 0},
    {134, "CTNF8022", 134, 'A', 49750, 863250, 160250, 464250, 168250, 471250, 0x01, 0x02, 0x08, 0xCE, 38900, 0xC0, 0xC1, FM_NONE, false, 2, false, STDS(kPalDISecamDK), nullptr, 0},
    {50, "CTNF8357DIF", 50, 'A', 49750, 863250, 160250, 464250, 168250, 471250, 0x01, 0x02, 0x04, 0xCE, 38900, 0xC0, 0xC1, FM_NONE, false, 3, false, STDS(kPalDI), nullptr, 0},
    {71, "CTNJ7357MF", 71, 'A', 55250, 801250, 163250, 463250, 169250, 469250, 0x01, 0x02, 0x08, 0xCE, 45750, 0xC0, 0xC1, FM_NONE, false, 2, true, STDS(kNtscM), nullptr, 0},
    {138, "CTNF9835DIFF", 62, 'A', 49250, 863250, 160250, 464250, 168250, 471250, 0x01, 0x02, 0x08, 0xCE, 38900, 0xC0, 0xC1, {87500, 108000, 10700, 0x8A, 0x11}, true, 2, false, STDS(kPalID), nullptr, 0},
    {9, "CMF02GIP_5N_E", 9, 'T', 55250, 801250, 157250, 439250, 157250, 439250, 0x01, 0x02, 0x04, 0xCE, 45750, 0xC1, 0xC0, {87000, 108000, 10700, 0x8A, 0x39}, true, 3, true, STDS(kNtscMPalMN), nullptr, 0},
    {8, "CF05WT_3BAR", 8, 'T', 46250, 863250, 147250, 423250, 154250, 431250, 0x01, 0x02, 0x08, 0xCE, 38900, 0xC0, 0xC1, FM_NONE, false, 2, true, STDS(kPalBDGHIMSecamLL1), nullptr, 0},
    {7, "CF07WP_4NR_E", 7, 'T', 55250, 801250, 127250, 361250, 133250, 367250, 0x01, 0x02, 0x08, 0xCE, 45750, 0xC0, 0xC1, FM_NONE, false, 3, true, STDS(kNtscMMJ443), nullptr, 0},
    {111, "CFi1236MK2", 111, 'P', 55250, 801250, 160000, 454000, 160000, 454000, 0xA0, 0x90, 0x30, 0xCE, 45750, 0xC0, 0xC1, FM_NONE, false, 3, true, STDS(kNtscMMJ443), nullptr, 0},
    {139, "CTNJ8355CF", 139, 'A', 44250, 863250, 161250, 463250, 168250, 471250, 0x01, 0x02, 0x04, 0xCE, 38900, 0xC0, 0xC1, FM_NONE, false, 3, true, STDS(kPalBDIGSecamLL1), &kTNJ8355CF, 0},
    {142, "CTNF9835BIFF", 0, 'A', 46250, 863250, 160250, 464250, 168250, 471250, 0x01, 0x02, 0x08, 0xCE, 38900, 0xC0, 0xC1, {87500, 108000, 10700, 0x8A, 0x11}, true, 2, false, STDS(kPalBISecamBG), nullptr, 0},
    {143, "CTNF9535BIF", 0, 'A', 46250, 863250, 160250, 464250, 168250, 471250, 0x01, 0x02, 0x08, 0xCE, 38900, 0xC0, 0xC1, {87500, 108000, 10700, 0x8A, 0x11}, false, 2, false, STDS(kPalBISecamBG), nullptr, 0},
    {20, "CTCLMF02GIP_3DB_E", 0, 'T', 48250, 863250, 154250, 439250, 161250, 447250, 0x01, 0x02, 0x08, 0xCE, 38900, 0xC0, 0xC1, {87000, 108000, 10700, 0x8A, 0x11}, true, 2, false, STDS(kPalBD), nullptr, 0},
    {21, "CTCLMF02GIP_3DI_E", 0, 'T', 48250, 863250, 154250, 439250, 161250, 447250, 0x01, 0x02, 0x08, 0xCE, 38900, 0xC0, 0xC1, {87000, 108000, 10700, 0x8A, 0x11}, true, 2, false, STDS(kPalDI), nullptr, 0},
    {22, "CTCLMF02GIP_4N_E", 0, 'T', 55250, 801250, 157250, 439250, 157250, 439250, 0x01, 0x02, 0x08, 0xCE, 38900, 0xC0, 0xC1, {87000, 108000, 10700, 0x8A, 0x11}, true, 2, false, STDS(kNtscM), nullptr, 0},
    {24, "CTCLM2523_3DI_E", 0, 'T', 48250, 863250, 170000, 450000, 170000, 450000, 0x01, 0x02, 0x08, 0xCE, 38900, 0xC0, 0xC1, {87000, 108000, 10700, 0x8A, 0x11}, false, 2, false, STDS(kPalDI), nullptr, 0},
    // Starts at 18250 kHz, unlike its siblings at 48250.
    {23, "CTCLMF02GIP_3DBY_E", 0, 'T', 18250, 863250, 154250, 439250, 161250, 447250, 0x01, 0x02, 0x08, 0xCE, 38900, 0xC0, 0xC1, {87000, 108000, 10700, 0x8A, 0x11}, true, 2, false, STDS(kPalBD), nullptr, 0},
};
static_assert(sizeof(kModules) / sizeof(kModules[0]) == 67, "tuner module table");

} // namespace

const TunerModuleData* FindTunerModule(int type)
{
    for (const TunerModuleData& row : kModules) {
        if (row.type == type)
            return &row;
    }
    return nullptr;
}

const TunerModuleData* TunerModules(size_t* count)
{
    *count = sizeof(kModules) / sizeof(kModules[0]);
    return kModules;
}
