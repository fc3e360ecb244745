// Shared by the record graph tests on the virtual card: the hardware object
// brought up with its preview in a window on a carrier in PAL B, and what
// the card's capture pin feeds. Header only; test thread.
#pragma once
#include "cards/TVCardFilter.h"
#include "engine/TVHardWare.h"
#include "graph/Guids.h"

#include <ks.h>
#include <ksmedia.h>

#include <memory>
#include <string>

const float kRecordCarrierKHz = 471250;  // E21, in the virtual card's default list

// The record filters with the stand-ins' file writer, which the AVI
// multiplexer can write through (Wine's writer offers it no IStream).
inline RecordDevices StandInWriterDevices()
{
    RecordDevices devices = kRecordDevices;
    devices.fileWriter = &CLSID_StreamWriterStandin;
    return devices;
}

// A new hardware object on `devices` with its preview running in `window`;
// NULL (and the start-up error code kept) when any step fails.
inline std::unique_ptr<CTVHardWare> StartPreviewOnCarrier(HWND window,
                                                          const RecordDevices& devices = kRecordDevices)
{
    std::unique_ptr<CTVHardWare> hw(new CTVHardWare);
    hw->SetVideoWindow(window);
    hw->SetRecordDevices(devices);
    if (!hw->CreatePreviewFilter() || !hw->SetVideoStandard(AnalogVideo_PAL_B) ||
        !hw->SetTVFrequency(kRecordCarrierKHz) || !hw->RunPreview())
        return nullptr;
    return hw;
}

// The wrapper name of the filter the card's "Capture" pin is connected to.
inline std::string CaptureDownstream(CTVHardWare& hw)
{
    CRootPin* capture = hw.GetCardFilter() ? hw.GetCardFilter()->FindPinByName("Capture") : NULL;
    if (!capture || !capture->GetPeer() || !capture->GetPeer()->GetOwner())
        return "";
    return capture->GetPeer()->GetOwner()->GetName();
}
