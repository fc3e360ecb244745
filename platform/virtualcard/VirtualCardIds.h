// Class ids and registered names of the virtual card's filters.
#pragma once
#include <windows.h>

namespace virtualcard {

// {6B1F5D20-8E43-4C7A-9D2E-3A5F0C7B1E01}
const CLSID CLSID_VirtualCardCapture = {
    0x6b1f5d20, 0x8e43, 0x4c7a, {0x9d, 0x2e, 0x3a, 0x5f, 0x0c, 0x7b, 0x1e, 0x01}};
// {6B1F5D20-8E43-4C7A-9D2E-3A5F0C7B1E02}
const CLSID CLSID_VirtualCardCrossbar = {
    0x6b1f5d20, 0x8e43, 0x4c7a, {0x9d, 0x2e, 0x3a, 0x5f, 0x0c, 0x7b, 0x1e, 0x02}};
// The card's audio capture device (under the WDM driver, which every
// process sees).
// {6B1F5D20-8E43-4C7A-9D2E-3A5F0C7B1E06}
const CLSID CLSID_VirtualCardAudioCapture = {
    0x6b1f5d20, 0x8e43, 0x4c7a, {0x9d, 0x2e, 0x3a, 0x5f, 0x0c, 0x7b, 0x1e, 0x06}};

// The card's second personality: the same card under its BDA driver.
// {6B1F5D20-8E43-4C7A-9D2E-3A5F0C7B1E03}
const CLSID CLSID_VirtualCardBdaCapture = {
    0x6b1f5d20, 0x8e43, 0x4c7a, {0x9d, 0x2e, 0x3a, 0x5f, 0x0c, 0x7b, 0x1e, 0x03}};
// {6B1F5D20-8E43-4C7A-9D2E-3A5F0C7B1E04}
const CLSID CLSID_VirtualCardBdaCrossbar = {
    0x6b1f5d20, 0x8e43, 0x4c7a, {0x9d, 0x2e, 0x3a, 0x5f, 0x0c, 0x7b, 0x1e, 0x04}};
// {6B1F5D20-8E43-4C7A-9D2E-3A5F0C7B1E05}
const CLSID CLSID_VirtualCardBdaTVAudio = {
    0x6b1f5d20, 0x8e43, 0x4c7a, {0x9d, 0x2e, 0x3a, 0x5f, 0x0c, 0x7b, 0x1e, 0x05}};

// The friendly names of the card family's WDM driver.
const wchar_t* const kCaptureName = L"713x TV Card Capture";
const wchar_t* const kCrossbarName = L"713x TV Card Crossbar";
const wchar_t* const kAudioCaptureName = L"713x TV Card Audio Capture";
// ...and of its BDA driver.
const wchar_t* const kBdaCaptureName = L"713x BDA Analog Capture";
const wchar_t* const kBdaCrossbarName = L"713x BDA Analog Xbar";
const wchar_t* const kBdaTVAudioName = L"713x BDA Analog TV Audio";

// {A799A801-A46D-11D0-A18C-00A02401DCD4}: the crossbar device category.
const GUID kCategoryCrossbar = {
    0xa799a801, 0xa46d, 0x11d0, {0xa1, 0x8c, 0x00, 0xa0, 0x24, 0x01, 0xdc, 0xd4}};

// Set in a process's environment (to any value), the BDA driver's filters
// refuse to be made in that process, as on a machine with only the WDM
// driver installed; the registrations stay, so other processes sharing the
// prefix are unaffected.
const char* const kWdmOnlyVariable = "PELLAMAR_VIRTUALCARD_WDM_ONLY";

// {A799A802-A46D-11D0-A18C-00A02401DCD4}: the TV audio device category.
const GUID kCategoryTVAudio = {
    0xa799a802, 0xa46d, 0x11d0, {0xa1, 0x8c, 0x00, 0xa0, 0x24, 0x01, 0xdc, 0xd4}};

} // namespace virtualcard
