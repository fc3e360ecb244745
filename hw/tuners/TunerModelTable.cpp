#include "hw/tuners/TunerModelTable.h"

namespace {

struct ModelName
{
    int id;
    const char* name;
};

// In the order the names were added over the years; ids are unique.
const ModelName kModelNames[] = {
    {0, "MODEL_UNKNOWN"},  {1, "TCL2002N_1"},    {2, "TCL2002N_1F"},      {3, "TCL2002NJ_5"},
    {4, "TCL2002MI_3"},    {5, "TCL2002MB_3"},   {10, "TCL2002MB_1F"},    {11, "TCL2002MI_1F"},
    {12, "MODEL_JS_2PC"},  {13, "JS_6B2"},       {32, "XINFA_TDQ_6B_B"},  {33, "XINFA_TDQ_6B_DI"},
    {34, "XINFA_TDQ_6B_N"}, {35, "XINFA_TDQ_6B4_DI"}, {50, "TNF8357DIF"}, {52, "TNF8532BF"},
    {53, "TNF8532DF"},     {54, "TNF8532MF"},    {55, "TNF5831MFF"},      {56, "TNF5532JF"},
    {57, "TNF5532MF"},     {58, "TNF9835"},      {59, "TNJ3321PF"},       {134, "TNF8022"},
    {72, "LGM200T"},       {73, "LGH200T"},      {74, "LGH202T"},         {92, "PHILIPS1216"},
    {93, "FQ1216ME"},      {14, "TCL2002MB_33F"}, {15, "TCL9809N_1F"},    {17, "TCL9886P_WM"},
    {60, "TNF9535BDF"},    {61, "TNF7532PRF"},   {62, "TNF9835BDFF"},     {63, "TNJ3321MF"},
    {94, "FQ1236F"},       {95, "PHILIPSTDA8275A"}, {96, "PHILIPSFQ1286"}, {64, "TNF5531MF"},
    {65, "TNF5835MFF"},    {100, "PANOSONIC_ENGE4326D"}, {66, "TNF5535MF"}, {97, "FQ1216ME_5"},
    {98, "FM1236MK3"},     {67, "TNJ3321CF"},    {68, "TNJ7752JFF_MK5"},  {75, "LGS200T"},
    {69, "TNF9935BDFF"},   {110, "FS5_1A5_BG1"}, {70, "TNJ8852CFF"},      {130, "TNF9533BDF"},
    {132, "TNJ8352PF"},    {71, "TNJ7357MF"},    {133, "TNF9535DIF"},     {90, "XCEIVE3028"},
    {91, "XCEIVE2028"},    {135, "TDVBC"},       {136, "XCEIVE3028AF"},   {137, "XCEIVE3028SIF"},
    {138, "TNF9835DIFF"},  {9, "MFO2GIP_5N_E"},  {7, "F07WP_4NR_E"},      {8, "F05WT_3BAR"},
    {111, "FI1236MK2"},    {139, "TNJ8355CF"},
};
static_assert(sizeof(kModelNames) / sizeof(kModelNames[0]) == 66, "tuner model names");

} // namespace

TunerModelTable& TunerModelTable::Instance()
{
    // Filled inside the static's initialisation, which C++ runs once even
    // when two threads arrive together.
    static TunerModelTable table = [] {
        TunerModelTable filled;
        filled.Fill();
        return filled;
    }();
    return table;
}

void TunerModelTable::Fill()
{
    if (!m_pairs.empty())
        return;
    for (const ModelName& entry : kModelNames)
        Add(entry.id, entry.name);
}

const char* TunerModelTable::Find(int id) const
{
    for (const auto& pair : m_pairs) {
        if (pair.first == id)
            return pair.second.c_str();
    }
    return nullptr;
}
