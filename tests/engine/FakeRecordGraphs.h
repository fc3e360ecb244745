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
        if (!stopResult)
            return FALSE; // time shift goes on
        tfRunning = FALSE;
        tfPaused = FALSE;
        return TRUE;
    }
    BOOL PauseRecord(BOOL pause) override
    {
        paused = pause;
        return FALSE;
    }
    BOOL IsRecordPaused() override { return paused; }
    void SetTFFile(LPCSTR path) override { tfFile = path; }
    BOOL RunTFPreview() override
    {
        ++tfRuns;
        tfRunning = tfRunResult;
        return tfRunResult;
    }
    BOOL IsTFRunning() override { return tfRunning; }
    BOOL PauseTF() override
    {
        if (!tfRunning || !tfPauseResult)
            return FALSE;
        tfPaused = !tfPaused;
        return TRUE;
    }
    BOOL IsTFPaused() override { return tfPaused; }
    BOOL IsTFAvailable() override { return tfAvailable; }
    BOOL SeekTF(LONGLONG position) override
    {
        seeks.push_back(position);
        return tfRunning;
    }
    BOOL GetTFPosition(TimeShiftPosition* position) override
    {
        *position = tfPosition;
        return tfRunning && tfPositionResult;
    }
    BOOL MuteRecordSourcePlayback(BOOL mute) override
    {
        playbackMutes.push_back(mute);
        return TRUE;
    }
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
    // Time shift.
    BOOL tfAvailable = TRUE;
    BOOL tfRunResult = TRUE;
    BOOL tfRunning = FALSE;
    BOOL tfPaused = FALSE;
    BOOL tfPauseResult = TRUE;
    BOOL tfPositionResult = TRUE;
    TimeShiftPosition tfPosition = {1000, 0, 0, 0};
    int tfRuns = 0;
    std::vector<LONGLONG> seeks;
    std::vector<BOOL> playbackMutes;
};
