// The carriers the virtual card's antenna receives: read from the settings
// file next to the card's DLL, or a default list when the file has none.
// Called once, when the card is first used.
#pragma once
#include <string>
#include <vector>

namespace virtualcard {

// The settings file: [Carriers] with one picture carrier per line, in kHz:
//   [Carriers]
//   1=175250
//   2=471250
// At most kMaxCarriers entries between 40 and 1000 MHz are taken; other
// lines are skipped. No file, no section or no valid line: the default list.
const size_t kMaxCarriers = 128;
const char* const kSettingsFileName = "VirtualCard.ini";

std::vector<double> DefaultCarriers();
std::vector<double> LoadCarriers(const std::string& path);
// The folder of `modulePath` joined with the settings file name.
std::string SettingsPathBeside(const std::string& modulePath);

} // namespace virtualcard
