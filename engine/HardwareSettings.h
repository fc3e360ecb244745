// The settings of "TVParam.ini" that the hardware object keeps and applies
// to the card and the graphs (tuner standard, input, audio devices, record
// formats, sizes, time shift). CTVHardWare holds them; the manager reads
// and writes them with the file and checks each value read as the
// hardware object's setters do. UI thread.
#pragma once
#include "platform/mfc/Geometry.h"
#include "platform/mfc/String.h"

struct HardwareSettings
{
    DWORD TunerStandard = 0;      // an AnalogVideoStandard bit, 0 = none chosen
    int VideoSource = 0;          // 0 TV, 1 AV, 2 SV, 3 FM
    CString AudioDevice;
    CString AudioInput;
    CString AudioPlayInput;
    CString AudioPlayInputDev;
    int TVAudio = 0;              // TV sound mode index 0-4
    BOOL TVData = FALSE;          // teletext program option
    int MotionSearchInc = 0;      // 0, 1 or 3
    int RecordFormat = 4;         // 0-7, 4 = VCD
    int FMRecordFormat = 0;       // 0-3, 3 = the selected user-defined format
    CSize Mpeg4RecordSize;        // 0 x 0 until the preview sets it
    CString Mpeg4Audio;
    CSize VideoSize = CSize(720, 576);
    int TFTime = 600;             // seconds of time shift
    int TFReserved = 0;

    static bool IsValidStandard(DWORD standard);
    static bool IsValidVideoSource(int source) { return source >= 0 && source <= 3; }
    static bool IsValidTVAudio(int mode) { return mode >= 0 && mode <= 4; }
    static bool IsValidMotionSearch(int value) { return value == 0 || value == 1 || value == 3; }
    static bool IsValidRecordFormat(int format) { return format >= 0 && format <= 7; }
    static bool IsValidFMRecordFormat(int format) { return format >= 0 && format <= 3; }
    // A capture size the cards can deliver (the largest is 720 x 576 and
    // sizes are never negative); MPEG-4 sizes may still be 0 x 0.
    static bool IsValidVideoSize(SIZE size) { return size.cx > 0 && size.cy > 0 && size.cx <= 4096 && size.cy <= 4096; }
    static bool IsValidMpeg4Size(SIZE size) { return size.cx >= 0 && size.cy >= 0 && size.cx <= 4096 && size.cy <= 4096; }
    // At least ten minutes. No upper bound: the buffer size is a 64-bit
    // count of bytes, and a size it cannot hold fails the time-shift graph
    // (CTVHardWare::TimeShiftBufferSize), not the setting.
    static bool IsValidTFTime(int seconds) { return seconds >= 600; }
    static bool IsValidTFReserved(int value) { return value >= 0; }
};

inline bool HardwareSettings::IsValidStandard(DWORD standard)
{
    // 0 (none) or one bit of the analog video standards, 0x1 to 0x100000.
    return standard == 0 || (standard <= 0x100000 && (standard & (standard - 1)) == 0);
}
