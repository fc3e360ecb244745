// IRecordGraphs: what the manager's recording road asks of the hardware
// object (record and time-shift graphs, snapshots). The manager goes through
// CHardwareRecordGraphs, which hands each call to its CTVHardWare; tests
// give the manager a fake to drive the road without a card. UI thread.
#pragma once
#include <windows.h>

class CTVHardWare;

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
    BOOL TakeSnapshot(LPCSTR path, int type, int quality) override;

private:
    CTVHardWare& m_hardware;
};
