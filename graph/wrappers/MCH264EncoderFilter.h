// CMCH264EncoderFilter: the outside combined H.264 encoder (H.264 video, the
// MPEG audio encoder and multiplexer, and a file sink in one filter).
// Registered for completeness: the engine's graphs do not ask for it. Owned
// by the graph's list; the graph's thread.
#pragma once
#include "graph/RootFilter.h"
#include "graph/wrappers/MCSettingsOps.h"

class CMCH264EncoderFilter : public CRootFilter,
                             public CMCAudioOps,
                             public CMCMuxOps,
                             public CMCMuxParamOps,
                             public CMCFileOps
{
public:
    using CRootFilter::CRootFilter;

    // Requires all seven interfaces: audio settings, audio parameters,
    // multiplexer settings, multiplexer parameters, file sink, H.264
    // settings, H.264 parameters.
    BOOL Init() override;

    BOOL SetAudioValue10(LONG value);
    BOOL CallH264Settings3(LONG a, LONG b, LONG c);
    // Sends a copy of the block unchanged.
    BOOL SetH264Settings(const MCH264Settings& block);
    BOOL CallH264Settings7(LONG a, LONG b, LONG c);
    BOOL SetH264Param(LONG id, LONG value);

private:
    void ReleaseInterfaces();

    ComPtr<IMCH264Settings> m_pH264Settings;
    ComPtr<ICodecParams> m_pH264Params;
};
