// The record graphs as the manager's recording road drives them, every call
// recorded, for tests that need no graph. Header only; test thread.
#pragma once
#include "engine/RecordGraphs.h"

#include <string>
#include <vector>

class FakeRecordGraphs : public IRecordGraphs
{
public:
    BOOL HasAudioCapture() override { return audio; }
    BOOL IsRecording() override { return recording; }
    void SetRecordFile(LPCSTR path) override { recordFile = path; }
    BOOL RunRecord() override
    {
        ++runs;
        recording = runResult;
        return runResult;
    }
    BOOL StopRecord() override
    {
        ++stops;
        recording = FALSE;
        return stopResult;
    }
    BOOL PauseRecord(BOOL pause) override
    {
        paused = pause;
        return FALSE;
    }
    BOOL IsRecordPaused() override { return paused; }
    void SetTFFile(LPCSTR path) override { tfFile = path; }
    BOOL RunTFPreview() override { return TRUE; }
    BOOL IsTFRunning() override { return FALSE; }
    BOOL PauseTF() override { return FALSE; }
    BOOL TakeSnapshot(LPCSTR path, int type, int quality) override
    {
        snapshots.push_back({path, type, quality});
        return TRUE;
    }

    struct Snapshot
    {
        std::string path;
        int type;
        int quality;
    };
    BOOL audio = TRUE;
    BOOL recording = FALSE;
    BOOL runResult = TRUE;
    BOOL stopResult = TRUE;
    BOOL paused = FALSE;
    int runs = 0;
    int stops = 0;
    std::string recordFile;
    std::string tfFile;
    std::vector<Snapshot> snapshots;
};
