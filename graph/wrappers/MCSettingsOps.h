// The operations that the MPEG codec wrappers share because their filters
// expose the same settings interfaces: the combined encoder, its audio,
// video and multiplexer pieces and the H.264 encoder each take the groups
// their filter has. A group holds its interface pointers; the wrapper's Init
// fills them in its own order and its destructor drops them before
// CRootFilter's clean-up. Every operation returns FALSE when its interface
// is missing, else TRUE when the outside method's result is not negative.
// The graph's thread.
#pragma once
#include <windows.h>
#include <strmif.h>

#include "graph/ComPtr.h"
#include "graph/wrappers/MCInterfaces.h"

// Audio settings and audio parameters.
class CMCAudioOps
{
public:
    BOOL SetAudioValue3(LONG value);
    BOOL SetAudioValue4(LONG value);
    BOOL SetAudioValue5(LONG value);
    BOOL SetAudioValue6(LONG value);
    BOOL SetAudioValue7(LONG value);
    BOOL SetAudioValue8(LONG value);
    BOOL SetAudioValue9(LONG value);
    BOOL SetAudioValue14(LONG value);
    // The encoder's current audio settings (FALSE for a NULL block).
    BOOL GetAudioSettings(MCAudioSettings* block);
    // Sends a copy of the block, so the caller's stays as it is.
    BOOL SetAudioSettings(const MCAudioSettings& block);
    // The encoder's defaults for an MPEG type (FALSE for a NULL block).
    BOOL LoadAudioDefaults(LONG videoType, MCAudioSettings* block);
    BOOL SetAudioParam(LONG id, LONG value);
    BOOL GetAudioParam(LONG id, LONG* value);

protected:
    BOOL QueryAudio(IBaseFilter* filter);
    void ReleaseAudio();
    BOOL CallAudioValue10(LONG value);

    ComPtr<IMCAudioSettings> m_pAudioSettings;
    ComPtr<ICodecParams> m_pAudioParams;
};

// Video settings and video parameters.
class CMCVideoOps
{
public:
    BOOL SetVideoValue3(LONG value);
    BOOL SetVideoValue5(LONG value);
    BOOL SetVideoValue6(LONG value);
    BOOL SetVideoValue9(LONG value);
    BOOL SetVideoValue8(LONG a, LONG b, LONG c);
    BOOL SetVideoValue11(LONG a, LONG b, LONG c, LONG d);
    BOOL SetVideoValue15(LONG a, LONG b);
    // The encoder's current 877-byte video block (FALSE for a NULL block).
    BOOL GetVideoSettings(MCVideoSettings* block);
    // Sends a copy of the block, so the caller's stays as it is.
    BOOL SetVideoSettings(const MCVideoSettings& block);
    BOOL LoadVideoDefaults(LONG videoType, LONG pal, MCVideoSettings* block);
    // Reads the current block, puts the value's low four bits into bits 1
    // to 4 of the mode byte and sends the block back.
    BOOL SetVideoModeBits(BYTE value);
    BOOL GetVideoParam(LONG id, LONG* value);

protected:
    BOOL QueryVideo(IBaseFilter* filter);
    void ReleaseVideo();

    ComPtr<IMCVideoSettings> m_pVideoSettings;
    ComPtr<ICodecParams> m_pVideoParams;
};

// Multiplexer settings.
class CMCMuxOps
{
public:
    BOOL SetMuxValue3(LONG value);
    BOOL SetMuxValue4(LONG value);
    BOOL SetMuxValue5(LONG value);
    // The encoder's current multiplexer settings (FALSE for a NULL block).
    BOOL GetMuxSettings(MCMuxSettings* block);
    // Sends a copy of the block.
    BOOL SetMuxSettings(const MCMuxSettings& block);
    BOOL SetMuxValue7(LONG a, LONG b);
    BOOL SetMuxType(LONG videoType);

protected:
    BOOL QueryMux(IBaseFilter* filter);
    void ReleaseMux();

    ComPtr<IMCMuxSettings> m_pMuxSettings;
};

// Multiplexer parameters.
class CMCMuxParamOps
{
public:
    BOOL GetMuxParam(LONG id, LONG* value);
    BOOL SetMuxParam(LONG id, LONG value);

protected:
    BOOL QueryMuxParams(IBaseFilter* filter);
    void ReleaseMuxParams();

    ComPtr<ICodecParams> m_pMuxParams;
};

// The output file of a filter that writes its own.
class CMCFileOps
{
public:
    // The current file name in ANSI into name, which holds size bytes; a
    // name that does not fit is not written (FALSE, name empty).
    BOOL GetFileName(char* name, int size);
    BOOL SetFileName(const char* path);

protected:
    BOOL QueryFileSink(IBaseFilter* filter);
    void ReleaseFileSink();

    ComPtr<IFileSinkFilter> m_pFileSink;
};
