// IRecordGraphs: what the manager's recording road asks of the hardware
// object (record and time-shift graphs, snapshots). The manager goes through
// CHardwareRecordGraphs, which hands each call to its CTVHardWare; tests
// give the manager a fake to drive the road without a card. UI thread.
#pragma once
#include <windows.h>

class CTVHardWare;

// Where time-shift playback stands, in bytes of the buffer file as the
// time-shift filter counts them: the buffer's size, the span it holds now
// (oldest to newest) and the read position within that span.
struct TimeShiftPosition
{
    LONGLONG capacity;
    LONGLONG start;
    LONGLONG end;
    LONGLONG read;
};

class IRecordGraphs
{
public:
    // An audio capture filter exists: recordings and time shift need one.
    virtual BOOL HasAudioCapture() = 0;
    virtual BOOL IsRecording() = 0;
    virtual void SetRecordFile(LPCSTR path) = 0;
    virtual BOOL RunRecord() = 0;
    // Ends a recording or time shift and returns to preview.
    virtual BOOL StopRecord() = 0;
    virtual BOOL PauseRecord(BOOL pause) = 0;
    virtual BOOL IsRecordPaused() = 0;
    virtual void SetTFFile(LPCSTR path) = 0;
    virtual BOOL RunTFPreview() = 0;
    virtual BOOL IsTFRunning() = 0;
    virtual BOOL PauseTF() = 0;
    virtual BOOL IsTFPaused() = 0;
    // The filters time shift needs are installed on this machine.
    virtual BOOL IsTFAvailable() = 0;
    virtual BOOL SeekTF(LONGLONG position) = 0;
    virtual BOOL GetTFPosition(TimeShiftPosition* position) = 0;
    // The sound card's playback of the recorded line (time shift plays the
    // sound itself, so the line's own playback is muted meanwhile).
    virtual BOOL MuteRecordSourcePlayback(BOOL mute) = 0;
    // type 1 BMP, 2 JPEG.
    virtual BOOL TakeSnapshot(LPCSTR path, int type, int quality) = 0;

protected:
    ~IRecordGraphs() {}
};

class CHardwareRecordGraphs : public IRecordGraphs
{
public:
    explicit CHardwareRecordGraphs(CTVHardWare& hardware) : m_hardware(hardware) {}

    BOOL HasAudioCapture() override;
    BOOL IsRecording() override;
    void SetRecordFile(LPCSTR path) override;
    BOOL RunRecord() override;
    BOOL StopRecord() override;
    BOOL PauseRecord(BOOL pause) override;
    BOOL IsRecordPaused() override;
    void SetTFFile(LPCSTR path) override;
    BOOL RunTFPreview() override;
    BOOL IsTFRunning() override;
    BOOL PauseTF() override;
    BOOL IsTFPaused() override;
    BOOL IsTFAvailable() override;
    BOOL SeekTF(LONGLONG position) override;
    BOOL GetTFPosition(TimeShiftPosition* position) override;
    BOOL MuteRecordSourcePlayback(BOOL mute) override;
    BOOL TakeSnapshot(LPCSTR path, int type, int quality) override;

private:
    CTVHardWare& m_hardware;
};
