#include "graph/wrappers/MCSettingsOps.h"

#include "graph/Guids.h"
#include "graph/wrappers/FileSinkName.h"

using zunk::CallSlot;
using zunk::QueryCodecInterface;

// Audio.

BOOL CMCAudioOps::QueryAudio(IBaseFilter* filter)
{
    return QueryCodecInterface(filter, IID_IMCAudioSettings, m_pAudioSettings) &&
           QueryCodecInterface(filter, IID_IMCAudioParams, m_pAudioParams);
}

void CMCAudioOps::ReleaseAudio()
{
    m_pAudioSettings.Reset();
    m_pAudioParams.Reset();
}

CODEC_FORWARD_VALUE(CMCAudioOps, SetAudioValue3, m_pAudioSettings, IMCAudioSettings::SetValue3)
CODEC_FORWARD_VALUE(CMCAudioOps, SetAudioValue4, m_pAudioSettings, IMCAudioSettings::SetValue4)
CODEC_FORWARD_VALUE(CMCAudioOps, SetAudioValue5, m_pAudioSettings, IMCAudioSettings::SetValue5)
CODEC_FORWARD_VALUE(CMCAudioOps, SetAudioValue6, m_pAudioSettings, IMCAudioSettings::SetValue6)
CODEC_FORWARD_VALUE(CMCAudioOps, SetAudioValue7, m_pAudioSettings, IMCAudioSettings::SetValue7)
CODEC_FORWARD_VALUE(CMCAudioOps, SetAudioValue8, m_pAudioSettings, IMCAudioSettings::SetValue8)
CODEC_FORWARD_VALUE(CMCAudioOps, SetAudioValue9, m_pAudioSettings, IMCAudioSettings::SetValue9)
CODEC_FORWARD_VALUE(CMCAudioOps, CallAudioValue10, m_pAudioSettings, IMCAudioSettings::SetValue10)
CODEC_FORWARD_VALUE(CMCAudioOps, SetAudioValue14, m_pAudioSettings, IMCAudioSettings::SetValue14)

BOOL CMCAudioOps::GetAudioSettings(MCAudioSettings* block)
{
    return block && CallSlot(m_pAudioSettings.Get(), &IMCAudioSettings::GetSettings, block);
}

BOOL CMCAudioOps::SetAudioSettings(const MCAudioSettings& block)
{
    MCAudioSettings copy = block;
    return CallSlot(m_pAudioSettings.Get(), &IMCAudioSettings::SetSettings, &copy);
}

BOOL CMCAudioOps::LoadAudioDefaults(LONG videoType, MCAudioSettings* block)
{
    return block &&
           CallSlot(m_pAudioSettings.Get(), &IMCAudioSettings::LoadDefaults, videoType, block);
}

BOOL CMCAudioOps::SetAudioParam(LONG id, LONG value)
{
    return zunk::SetCodecParam(m_pAudioParams.Get(), id, value);
}

BOOL CMCAudioOps::GetAudioParam(LONG id, LONG* value)
{
    return zunk::GetCodecParam(m_pAudioParams.Get(), id, value);
}

// Video.

BOOL CMCVideoOps::QueryVideo(IBaseFilter* filter)
{
    return QueryCodecInterface(filter, IID_IMCVideoSettings, m_pVideoSettings) &&
           QueryCodecInterface(filter, IID_IMCVideoParams, m_pVideoParams);
}

void CMCVideoOps::ReleaseVideo()
{
    m_pVideoSettings.Reset();
    m_pVideoParams.Reset();
}

CODEC_FORWARD_VALUE(CMCVideoOps, SetVideoValue3, m_pVideoSettings, IMCVideoSettings::SetValue3)
CODEC_FORWARD_VALUE(CMCVideoOps, SetVideoValue5, m_pVideoSettings, IMCVideoSettings::SetValue5)
CODEC_FORWARD_VALUE(CMCVideoOps, SetVideoValue6, m_pVideoSettings, IMCVideoSettings::SetValue6)
CODEC_FORWARD_VALUE(CMCVideoOps, SetVideoValue9, m_pVideoSettings, IMCVideoSettings::SetValue9)

BOOL CMCVideoOps::SetVideoValue8(LONG a, LONG b, LONG c)
{
    return CallSlot(m_pVideoSettings.Get(), &IMCVideoSettings::SetValue8, a, b, c);
}

BOOL CMCVideoOps::SetVideoValue11(LONG a, LONG b, LONG c, LONG d)
{
    return CallSlot(m_pVideoSettings.Get(), &IMCVideoSettings::SetValue11, a, b, c, d);
}

BOOL CMCVideoOps::SetVideoValue15(LONG a, LONG b)
{
    return CallSlot(m_pVideoSettings.Get(), &IMCVideoSettings::SetValue15, a, b);
}

BOOL CMCVideoOps::GetVideoSettings(MCVideoSettings* block)
{
    return block && CallSlot(m_pVideoSettings.Get(), &IMCVideoSettings::GetSettings, block);
}

BOOL CMCVideoOps::SetVideoSettings(const MCVideoSettings& block)
{
    MCVideoSettings copy = block;
    return CallSlot(m_pVideoSettings.Get(), &IMCVideoSettings::SetSettings, &copy);
}

BOOL CMCVideoOps::LoadVideoDefaults(LONG videoType, LONG pal, MCVideoSettings* block)
{
    return block && CallSlot(m_pVideoSettings.Get(), &IMCVideoSettings::LoadDefaults, videoType,
                             pal, block);
}

BOOL CMCVideoOps::SetVideoModeBits(BYTE value)
{
    MCVideoSettings block = {};
    if (!GetVideoSettings(&block))
        return FALSE;
    PutModeBits(&block, value);
    return CallSlot(m_pVideoSettings.Get(), &IMCVideoSettings::SetSettings, &block);
}

BOOL CMCVideoOps::GetVideoParam(LONG id, LONG* value)
{
    return zunk::GetCodecParam(m_pVideoParams.Get(), id, value);
}

// Multiplexer.

BOOL CMCMuxOps::QueryMux(IBaseFilter* filter)
{
    return QueryCodecInterface(filter, IID_IMCMuxSettings, m_pMuxSettings);
}

void CMCMuxOps::ReleaseMux()
{
    m_pMuxSettings.Reset();
}

CODEC_FORWARD_VALUE(CMCMuxOps, SetMuxValue3, m_pMuxSettings, IMCMuxSettings::SetValue3)
CODEC_FORWARD_VALUE(CMCMuxOps, SetMuxValue4, m_pMuxSettings, IMCMuxSettings::SetValue4)
CODEC_FORWARD_VALUE(CMCMuxOps, SetMuxValue5, m_pMuxSettings, IMCMuxSettings::SetValue5)

BOOL CMCMuxOps::GetMuxSettings(MCMuxSettings* block)
{
    return block && CallSlot(m_pMuxSettings.Get(), &IMCMuxSettings::GetSettings, block);
}

BOOL CMCMuxOps::SetMuxSettings(const MCMuxSettings& block)
{
    MCMuxSettings copy = block;
    return CallSlot(m_pMuxSettings.Get(), &IMCMuxSettings::SetSettings, &copy);
}

BOOL CMCMuxOps::SetMuxValue7(LONG a, LONG b)
{
    return CallSlot(m_pMuxSettings.Get(), &IMCMuxSettings::SetValue7, a, b);
}

BOOL CMCMuxOps::SetMuxType(LONG videoType)
{
    return CallSlot(m_pMuxSettings.Get(), &IMCMuxSettings::SetVideoType, videoType);
}

BOOL CMCMuxParamOps::QueryMuxParams(IBaseFilter* filter)
{
    return QueryCodecInterface(filter, IID_IMCMuxParams, m_pMuxParams);
}

void CMCMuxParamOps::ReleaseMuxParams()
{
    m_pMuxParams.Reset();
}

BOOL CMCMuxParamOps::GetMuxParam(LONG id, LONG* value)
{
    return zunk::GetCodecParam(m_pMuxParams.Get(), id, value);
}

BOOL CMCMuxParamOps::SetMuxParam(LONG id, LONG value)
{
    return zunk::SetCodecParam(m_pMuxParams.Get(), id, value);
}

// Output file.

BOOL CMCFileOps::QueryFileSink(IBaseFilter* filter)
{
    return QueryCodecInterface(filter, IID_IFileSinkFilter, m_pFileSink);
}

void CMCFileOps::ReleaseFileSink()
{
    m_pFileSink.Reset();
}

BOOL CMCFileOps::GetFileName(char* name, int size)
{
    return SUCCEEDED(zunk::GetSinkFileName(m_pFileSink.Get(), name, size));
}

BOOL CMCFileOps::SetFileName(const char* path)
{
    return SUCCEEDED(zunk::SetSinkFileName(m_pFileSink.Get(), path));
}
