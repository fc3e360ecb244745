// The engine's readers against thousands of damaged files (see
// tests/support/BadInput.h): each read ends, what it gives stays within the
// ranges its setters keep, and what it gives saves and reads back the same.
#include "engine/ChannelTable.h"
#include "engine/FreqAndName.h"
#include "engine/PointManager.h"
#include "engine/Scrambler.h"
#include "store/SkinIniFile.h"
#include "skin/SkinSet.h"
#include "engine/TVManager.h"
#include "tests/store/IniDump.h"
#include "tests/support/BadInput.h"
#include "tests/support/MessageBoxCapture.h"
#include "tests/support/TempFolder.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <set>
#include <string>
#include <vector>

namespace {

std::string Text(const CString& text) { return std::string(text.GetString(), text.GetLength()); }

bool IsCleanText(const CString& text) { return Text(text).find_first_of(std::string("\r\n\0", 3)) == std::string::npos; }

std::string DumpFile(const std::string& path)
{
    CSkinIniFile ini(path.c_str());
    EXPECT_TRUE(ini.Load()) << ini.GetErrorText();
    return Dump(ini);
}

struct ChannelText
{
    long id, frequency;
    DWORD flags;
    std::string name;
    bool operator==(const ChannelText& o) const
    {
        return id == o.id && frequency == o.frequency && flags == o.flags && name == o.name;
    }
};

std::vector<ChannelText> Channels(const CChannelTable& table, bool writtenOnly)
{
    std::vector<ChannelText> out;
    for (INT_PTR i = 0; i < table.GetSize(); ++i) {
        const CChannel* c = table.GetChannel((int)i);
        const bool written = c->Flags == CHANNEL_VALID || c->Flags == (CHANNEL_VALID | CHANNEL_FAVOR);
        if (!writtenOnly || written)
            out.push_back({c->ID, c->Frequency, c->Flags, Text(c->Name)});
    }
    return out;
}

const char kSettingsSeed[] =
    "[Interface]\r\nSkinName=Silver\r\n"
    "[Channel]\r\nTVInput=1\r\nCountryCode=49\r\nCity=Berlin\r\nTVCurFreq=471250\r\nTVCurIndex=3\r\n"
    "[Device]\r\nTunerStandard=16\r\nVideoSource=0\r\nAudioDevice=Line In, front\r\nTVAUDIO=2\r\n"
    "[Record]\r\nPicDir=C:\\Pictures\r\nRecordFormat=6\r\nMpeg4RecordSize=352,288\r\nTFTime=1200\r\n"
    "[Schedule]\r\nShutTime=2030,01,02,03,04,05\r\n"
    "[Video]\r\nBrightness=100\r\nHue=-20\r\nOverlayCon=15000\r\nVideoSize=640,480\r\nReduceValue=7\r\n"
    "[Storage]\r\nMaxLength=45\r\nValidDisk=C:\\,D:\\\r\nReservedSpace=500\r\n"
    "[Window]\r\nVideoWnd=10,20,650,500\r\nControlLeftTop=5,6\r\nVideoRatio=16,9\r\n"
    "[FMCustom]\r\nCurrent=0\r\nCount=2\r\nFMCustom0_Name=Voice\r\nFMCustom0_AudioComp=PCM\r\n"
    "[Windows System]\r\nOpenTime=2030,01,02,03,00,00\r\nStartUpTime=90\r\n";

const char kChannelSeed[] =
    ";========================================================\r\n;\t\tTV Channel Table\r\n"
    ";========================================================\r\n\r\n\r\n//ID(>0), Flags, Frequence, Name\r\n"
    "\r\n\r\n; Count = 4\r\n\r\n\r\n\r\n"
    "1,1,48250,E2\r\n2,3,175250,Sport 1, news\r\n3,5,471250,Hidden\r\n12\t1  855250\tLast one  \r\n";

const char kExportSeed[] =
    "[General]\r\nTotal=3\r\n[Channel]\r\nChannel-0=Sport 1, news,471250,3\r\nChannel-1=Plain,479250,1\r\n"
    "Channel-2=Third,487250,1\r\n";

const char kAddressSeed[] =
    "[General]\r\nTotal=1\r\nCountryCode-0=86\r\n[86]\r\nTotal=2\r\nTable-0=Beijing\r\nTable-1=Shanghai\r\n"
    "[Beijing]\r\nTotal=3\r\nChannel-0=CCTV1,49750\r\nChannel-1=Sport,471250\r\nChannel-2=News,479250\r\n"
    "[Shanghai]\r\nTotal=1\r\nChannel-0=STV,57750\r\n[86-Default]\r\nTotal=1\r\nChannel-0=Default,65750\r\n";

const char kPointSeed[] =
    "; scan points\r\n[86,1,3,China]\r\n1=49.75\r\n2=57.75\r\n3=65.75\r\n4=77.25\r\n"
    "[49,0,2,Germany]\r\n48.25\r\n855.25\r\n";

const char kRemoteKeySeed[] = "; keys\r\n[3]\r\n5=17;\r\n6=300;\r\n7=;8\r\n[1]\r\n20=21;\r\n";

const char kSkinSetSeed[] =
    "[General]\r\nTotal=3\r\nSkin-0=Blue\r\nSkin-1=Silver\r\nSkin-2=Dark\r\n"
    "[Blue]\r\nIni=Skin.ini\r\nDll=Nistle.dll\r\n[Silver]\r\nIni=Silver.ini\r\nDll=Orbane.dll\r\n";

} // namespace

TEST(BadInput, IniModel)
{
    TempFolder dir(badinput::ScratchBase());
    badinput::Run("CSkinIniFile", {kSettingsSeed, kSkinSetSeed, "[A]\r\n[A]\r\nk=1\r\nk=2\r\n[Video] \r\na=b=c\r\n"},
                  [&](const std::string& bytes) {
        dir.Write("in.ini", bytes);
        CSkinIniFile ini(dir.File("in.ini").c_str());
        ini.Load();
        for (POSITION pos = ini.GetFirstSectionPosition(); pos;) {
            const CSkinSection* s = ini.GetNextSection(pos);
            ASSERT_TRUE(IsCleanText(s->GetName()));
            for (POSITION v = s->Values().GetStartPosition(); v;) {
                CString key, value;
                s->Values().GetNextAssoc(v, key, value);
                ASSERT_TRUE(IsCleanText(key) && IsCleanText(value));
                double d;
                float f;
                ASSERT_TRUE(!s->GetDouble(key, d) || std::isfinite(d)) << value;
                ASSERT_TRUE(!s->GetFloat(key, f) || std::isfinite(f)) << value;
            }
        }
        ini.SetFilePath(dir.File("out.ini").c_str());
        ASSERT_TRUE(ini.Save()) << ini.GetErrorText();
        ASSERT_EQ(Dump(ini), DumpFile(dir.File("out.ini")));
    });
}

TEST(BadInput, SettingsFile)
{
    TempFolder work(badinput::ScratchBase());
    MessageBoxCapture boxes; // no remote key file in the work folder
    CTVManager manager(work.Path().c_str());
    badinput::Run("TVParam.ini", {kSettingsSeed, "[Video]\r\nBrightness=100\r\n"}, [&](const std::string& bytes) {
        work.Write("TVParam.ini", bytes);
        manager.LoadSettings();
        const ManagerSettings& s = manager.GetSettings();
        const HardwareSettings& hw = manager.GetHardwareSettings();
        ASSERT_TRUE(s.TVInput >= 0 && s.TVInput <= 2);
        ASSERT_TRUE(s.CountryCode >= 0 && s.CountryCode <= 99999);
        ASSERT_TRUE(s.DisplayQuality >= 0 && s.DisplayQuality <= 2);
        ASSERT_TRUE(s.JpgQuality >= 0 && s.JpgQuality <= 100);
        ASSERT_TRUE(s.ReduceValue >= 0 && s.ReduceValue <= 10);
        ASSERT_TRUE(s.MaxLength >= 1 && s.MaxLength <= 300);
        ASSERT_TRUE(s.ReservedSpace >= 0 && s.StartUpTime >= 0);
        ASSERT_TRUE(s.VideoRatio.cx > 0 && s.VideoRatio.cy > 0);
        ASSERT_FALSE(s.PicDir.IsEmpty() || s.VideoDir.IsEmpty() || s.VideoFolder.IsEmpty());
        for (int i = 0; i < 5; ++i) {
            ASSERT_TRUE(s.CardVideo[i] >= CTVManager::kCardVideoRange[i].Min &&
                        s.CardVideo[i] <= CTVManager::kCardVideoRange[i].Max) << i;
            ASSERT_TRUE(s.OverlayVideo[i] >= CTVManager::kOverlayRange[i].Min &&
                        s.OverlayVideo[i] <= CTVManager::kOverlayRange[i].Max) << i;
        }
        ASSERT_TRUE(HardwareSettings::IsValidStandard(hw.TunerStandard));
        ASSERT_TRUE(HardwareSettings::IsValidVideoSource(hw.VideoSource));
        ASSERT_TRUE(HardwareSettings::IsValidTVAudio(hw.TVAudio));
        ASSERT_TRUE(HardwareSettings::IsValidMotionSearch(hw.MotionSearchInc));
        ASSERT_TRUE(HardwareSettings::IsValidRecordFormat(hw.RecordFormat));
        ASSERT_TRUE(HardwareSettings::IsValidFMRecordFormat(hw.FMRecordFormat));
        ASSERT_TRUE(HardwareSettings::IsValidMpeg4Size(hw.Mpeg4RecordSize));
        ASSERT_TRUE(HardwareSettings::IsValidVideoSize(hw.VideoSize));
        ASSERT_TRUE(HardwareSettings::IsValidTFTime(hw.TFTime) && HardwareSettings::IsValidTFReserved(hw.TFReserved));
        CCustomFMFormat& formats = manager.GetCustomFMFormat();
        ASSERT_LE(formats.GetSize(), CTVManager::kMaxFMFormats);
        ASSERT_TRUE(formats.GetSelected() >= -1 && formats.GetSelected() < formats.GetSize());
        for (CChannelTable* table : {&manager.GetTVTable(), &manager.GetFMTable()}) {
            ASSERT_TRUE(table->GetCurrentFrequency() >= 0 && table->GetLastFrequency() >= 0);
            ASSERT_TRUE(table->GetCurrentIndex() >= -1 && table->GetCurrentIndex() <= CChannelTable::kMaxChannels);
        }

        // A file the load could not read whole is kept as it was, once.
        ASSERT_TRUE(manager.SaveSettings());
        if (work.Exists("TVParam.ini.unread")) {
            ASSERT_EQ(bytes, work.Read("TVParam.ini.unread"));
            ASSERT_TRUE(::DeleteFileA(work.File("TVParam.ini.unread").c_str()));
        }
        ASSERT_FALSE(work.Exists("TVParam.ini.unread2"));
        // What was saved loads and saves again unchanged.
        const std::string saved = DumpFile(work.File("TVParam.ini"));
        manager.LoadSettings();
        ASSERT_TRUE(manager.SaveSettings());
        ASSERT_FALSE(work.Exists("TVParam.ini.unread"));
        ASSERT_EQ(saved, DumpFile(work.File("TVParam.ini")));
    });
}

TEST(BadInput, ChannelFile)
{
    TempFolder dir(badinput::ScratchBase());
    badinput::Run("TVChannel.tvc", {kChannelSeed, "5,3,98500,Radio One\r\n"}, [&](const std::string& bytes) {
        dir.Write("in.tvc", bytes);
        CChannelTable table;
        table.LoadFromFile(dir.File("in.tvc").c_str());
        ASSERT_LE(table.GetSize(), CChannelTable::kMaxChannels);
        for (const ChannelText& c : Channels(table, false)) {
            ASSERT_TRUE(c.id > 0 && c.frequency >= 1);
            ASSERT_TRUE(!c.name.empty() && IsCleanText(c.name.c_str()));
        }
        ASSERT_TRUE(table.SaveToFile(dir.File("out.tvc").c_str()));
        // The count line counts the channel lines that follow.
        const std::string saved = dir.Read("out.tvc");
        const size_t at = saved.find("; Count = ");
        ASSERT_NE(std::string::npos, at);
        const std::vector<ChannelText> written = Channels(table, true);
        ASSERT_EQ((long)written.size(), std::atol(saved.c_str() + at + 10));

        CChannelTable back;
        ASSERT_TRUE(back.LoadFromFile(dir.File("out.tvc").c_str()));
        ASSERT_TRUE(written == Channels(back, false));
    });
}

TEST(BadInput, ChannelListIniExport)
{
    TempFolder dir(badinput::ScratchBase());
    badinput::Run("channel ini export", {kExportSeed}, [&](const std::string& bytes) {
        dir.Write("in.ini", bytes);
        CChannelTable table;
        if (!table.ImportIni(dir.File("in.ini").c_str()))
            return;
        ASSERT_LE(table.GetSize(), CChannelTable::kMaxChannels);
        const std::vector<ChannelText> imported = Channels(table, false);
        for (size_t i = 0; i < imported.size(); ++i) {
            ASSERT_EQ((long)i + 1, imported[i].id);
            ASSERT_TRUE(imported[i].frequency >= 1 && !imported[i].name.empty());
            ASSERT_TRUE(imported[i].flags == CHANNEL_VALID || imported[i].flags == (CHANNEL_VALID | CHANNEL_FAVOR));
        }
        ASSERT_TRUE(table.ExportIni(dir.File("out.ini").c_str()));
        CChannelTable back;
        ASSERT_TRUE(back.ImportIni(dir.File("out.ini").c_str()));
        ASSERT_TRUE(imported == Channels(back, false));
    });
}

TEST(BadInput, CountryChannelNames)
{
    TempFolder dir(badinput::ScratchBase());
    CChannelTable tv;
    tv.SetFM(FALSE);
    for (long kHz : {49750L, 471250L, 479250L, 855250L})
        tv.AddChannel(CChannel(kHz / 1000, kHz, "Unnamed", CHANNEL_VALID));
    badinput::Run("ChannelAddress.ini", {kAddressSeed}, [&](const std::string& bytes) {
        dir.Write("ChannelAddress.ini", bytes);
        CFreqAndName tables;
        tables.Load(dir.File("ChannelAddress.ini").c_str());
        CStringArray names;
        tables.GetTableNames(86, names);
        ASSERT_LE(names.GetSize(), CFreqAndName::kMaxEntries);
        names.Add(""); // the country's default table
        CFreqNameMap map;
        for (INT_PTR i = 0; i < names.GetSize(); ++i)
            tables.LoadTable(86, names[i], map);
        for (POSITION pos = map.GetStartPosition(); pos;) {
            DWORD kHz = 0;
            CString name;
            map.GetNextAssoc(pos, kHz, name);
            ASSERT_TRUE(kHz >= 1 && kHz <= (DWORD)INT_MAX) << kHz;
            ASSERT_FALSE(CString(name).Trim().IsEmpty());
        }
        // A name is found only for a frequency within the tolerance of a key.
        for (long kHz : {1L, 49750L, 471250L, 2000000L, LONG_MAX}) {
            CString name;
            if (!tv.LookupNameByFrequency(map, kHz, name))
                continue;
            bool withinTolerance = false;
            for (POSITION pos = map.GetStartPosition(); pos;) {
                DWORD key = 0;
                CString value;
                map.GetNextAssoc(pos, key, value);
                withinTolerance = withinTolerance || std::llabs((long long)key - kHz) <= tv.GetTolerance();
            }
            ASSERT_TRUE(withinTolerance) << kHz;
        }
    });
}

TEST(BadInput, ScanPointFile)
{
    TempFolder dir(badinput::ScratchBase());
    badinput::Run("ChannelPoint.ini", {kPointSeed}, [&](const std::string& bytes) {
        dir.Write("ChannelPoint.ini", bytes);
        CPointManager points;
        points.Load(dir.File("ChannelPoint.ini").c_str());
        ASSERT_LE(points.GetSize(), CPointManager::kMaxTables);
        for (INT_PTR i = 0; i < points.GetSize(); ++i) {
            const CPointTable* row = points.GetAt(i);
            ASSERT_TRUE(row->GetCount() >= 1 && row->GetCount() <= CPointTable::kMaxPoints);
            for (int v = 0; v < row->GetCount(); ++v)
                ASSERT_TRUE(row->GetValues()[v] >= 0 && row->GetValues()[v] <= CPointTable::kMaxPointMHz)
                    << row->GetValues()[v];
        }
    });
}

TEST(BadInput, CountryNamesAndRemoteKeys)
{
    TempFolder work(badinput::ScratchBase());
    MessageBoxCapture boxes;
    CTVManager manager(work.Path().c_str());
    badinput::Run("CountryCode.ini", {"[CountryCode]\r\n1=USA\r\n49=Germany\r\n886=Taiwan\r\n33=France\r\n"},
                  [&](const std::string& bytes) {
        work.Write("CountryCode.ini", bytes);
        manager.LoadCountryNames();
        CIdStringMap& names = manager.GetCountryNames();
        ASSERT_LE(names.GetCount(), 156); // the built-in codes and the two pseudo-codes
        for (POSITION pos = names.GetStartPosition(); pos;) {
            DWORD code = 0;
            CString name;
            names.GetNextAssoc(pos, code, name);
            ASSERT_LE(name.GetLength(), 63 + 5) << code; // the longest name and "(IRC)"
            ASSERT_TRUE(IsCleanText(name));
        }
    });

    badinput::Run("RemoteKeyRedef.ini", {kRemoteKeySeed}, [&](const std::string& bytes) {
        work.Write("RemoteKeyRedef.ini", bytes);
        manager.LoadRemoteKeyRedef();
        // Only key bytes the file names after an "=" are mapped anew.
        std::set<int> named;
        for (size_t at = bytes.find('='); at != std::string::npos; at = bytes.find('=', at + 1))
            named.insert((int)(std::atol(bytes.c_str() + at + 1) & 0xFF));
        for (int k = 0; k < 256; ++k)
            ASSERT_TRUE(manager.TranslateRemoteKey((BYTE)k) == k || named.count(k)) << k;
    });
    EXPECT_TRUE(boxes.Boxes().size() <= 1u); // the file is there: no error box after the first
}

TEST(BadInput, SkinCatalogue)
{
    TempFolder dir(badinput::ScratchBase());
    badinput::Run("SkinSet.ini", {kSkinSetSeed}, [&](const std::string& bytes) {
        dir.Write("SkinSet.ini", bytes);
        CSkinSet skins;
        skins.Load(dir.File("SkinSet.ini").c_str());
        CStringList names;
        ASSERT_TRUE(skins.GetSkinNames(names));
        ASSERT_LE(names.GetCount(), 1000);
        for (POSITION pos = names.GetHeadPosition(); pos;) {
            CString ini, dll;
            ASSERT_TRUE(skins.GetSkinFiles(names.GetNext(pos), ini, dll));
        }
        skins.GetCount();
    });
}

TEST(BadInput, ScramblerDecoder)
{
    std::vector<std::string> seeds;
    for (const char* plain : {"", "Administrator", "s3cret pass"}) {
        BYTE scrambled[64];
        char hex[160];
        UINT count = 0, length = 0;
        ASSERT_TRUE(ScrambleString((const BYTE*)plain, (UINT)strlen(plain), scrambled, sizeof scrambled, &count));
        ASSERT_TRUE(HexEncode(scrambled, count, hex, sizeof hex, &length));
        seeds.push_back(std::string(hex, length));
    }
    badinput::Run("scrambled values", seeds, [&](const std::string& text) {
        std::vector<BYTE> bytes(text.size() / 2 + 1), plain(text.size() / 2 + 1);
        UINT count = 0, n = 0;
        const BOOL decoded = HexDecode(text.data(), (UINT)text.size(), bytes.data(), (UINT)bytes.size(), &count);
        ASSERT_LE(count, (UINT)bytes.size());
        if (!decoded || !UnscrambleString(bytes.data(), count, plain.data(), (UINT)plain.size(), &n))
            return;
        ASSERT_EQ(count - 3, n);
        // What was accepted scrambles and reads back the same.
        std::vector<BYTE> again(n + 3), back(n + 3);
        std::vector<char> hex(2 * (n + 3) + 1);
        UINT againCount = 0, length = 0, backCount = 0, plainCount = 0;
        ASSERT_TRUE(ScrambleString(plain.data(), n, again.data(), (UINT)again.size(), &againCount));
        ASSERT_TRUE(HexEncode(again.data(), againCount, hex.data(), (UINT)hex.size(), &length));
        ASSERT_TRUE(HexDecode(hex.data(), length, back.data(), (UINT)back.size(), &backCount));
        std::vector<BYTE> restored(n + 1);
        ASSERT_TRUE(UnscrambleString(back.data(), backCount, restored.data(), (UINT)restored.size(), &plainCount));
        ASSERT_EQ(n, plainCount);
        ASSERT_TRUE(std::equal(plain.begin(), plain.begin() + n, restored.begin()));
    });
}
