// What a recorded AVI file holds, read chunk by chunk without loading the
// file (a long recording runs to gigabytes): the RIFF forms, the video
// stream's format, its frame chunks and the first frame's bytes, and the
// audio bytes. Test thread.
#pragma once
#include <windows.h>

#include <string>
#include <vector>

struct AviContents
{
    int riffForms = 0;                 // 'AVI ' first, then 'AVIX' extensions
    bool firstFormIsAvi = false;
    bool hasVideoStream = false;
    bool hasAudioStream = false;
    BITMAPINFOHEADER videoFormat = {};
    long videoFrames = 0;              // video chunks with data
    long emptyVideoChunks = 0;         // dropped frames the mux marked
    LONGLONG audioBytes = 0;
    std::vector<BYTE> firstFrame;
};

// FALSE when the file cannot be opened or is not a RIFF AVI file; a file
// cut short is read as far as it goes.
bool ReadAviFile(const std::string& path, AviContents* out);
