// The class ids and interface ids that the program uses and that mingw-w64's
// headers or import libraries lack. Every such GUID is declared here once and
// defined once in Guids.cpp; the values are those of the documented Windows
// components and interfaces.
#pragma once
#include <windows.h>
#include <guiddef.h>

// Present in mingw's strmiids import library but declared by no header.
EXTERN_C const CLSID CLSID_NullRenderer;    // {C1F400A4-3F08-11D3-9F0B-006008039E37}
EXTERN_C const CLSID CLSID_SampleGrabber;   // {C1F400A0-3F08-11D3-9F0B-006008039E37}

// Absent from mingw's import libraries; defined in Guids.cpp.
EXTERN_C const CLSID CLSID_EnhancedVideoRenderer;  // {FA10746C-9B63-4B6C-BC49-FC300EA5F256}
EXTERN_C const CLSID CLSID_WAVEParser;             // {D51BD5A1-7548-11CF-A520-0080C77EF58A}
// Declared by evr.h, but its value is in no import library.
EXTERN_C const IID IID_IMFVideoDisplayControl;     // {A490B1E4-AB84-4D31-A1B2-181E03B1077A}
EXTERN_C const IID IID_IMFVideoRenderer;           // {DFDFD197-A9CA-43D8-B341-6AF3503792CD}
EXTERN_C const IID IID_IMFVideoPresenter;          // {29AFF080-182A-4A5D-AF3B-448F3A6346CB}
EXTERN_C const CLSID CLSID_MFVideoMixer9;          // {E474E05A-AB65-4F6A-827C-218B1BAAF31F}

// The outside codec filters and their private interfaces, known by their
// class ids and interface ids alone.
// MPEG encoder, multiplexer, splitter and decoders, and their settings interfaces.
EXTERN_C const CLSID CLSID_MCEncoder;                    // {2BE4D150-6F2E-4B3A-B0BD-E880917238DC}
EXTERN_C const CLSID CLSID_MCMultiplexer;                // {2BE4D180-6F2E-4B3A-B0BD-E880917238DC}
EXTERN_C const CLSID CLSID_MCAudioDecoder;               // {2BE4D130-6F2E-4B3A-B0BD-E880917238DC}
EXTERN_C const CLSID CLSID_MCAudioEncoder;               // {2BE4D170-6F2E-4B3A-B0BD-E880917238DC}
EXTERN_C const CLSID CLSID_MCSplitter;                   // {2BE4D120-6F2E-4B3A-B0BD-E880917238DC}
EXTERN_C const CLSID CLSID_MCVideoDecoder;               // {2BE4D140-6F2E-4B3A-B0BD-E880917238DC}
EXTERN_C const CLSID CLSID_MCVideoEncoder;               // {2BE4D160-6F2E-4B3A-B0BD-E880917238DC}
EXTERN_C const IID IID_IMCVideoSettings;                 // {2BE4D151-6F2E-4B3A-B0BD-E880917238DC}
EXTERN_C const IID IID_IMCAudioSettings;                 // {2BE4D152-6F2E-4B3A-B0BD-E880917238DC}
EXTERN_C const IID IID_IMCMuxSettings;                   // {2BE4D153-6F2E-4B3A-B0BD-E880917238DC}
EXTERN_C const IID IID_IMCVideoParams;                   // {2BE4D154-6F2E-4B3A-B0BD-E880917238DC}
EXTERN_C const IID IID_IMCAudioParams;                   // {2BE4D155-6F2E-4B3A-B0BD-E880917238DC}
EXTERN_C const IID IID_IMCMuxParams;                     // {2BE4D156-6F2E-4B3A-B0BD-E880917238DC}
EXTERN_C const IID IID_IMCSplitterParams;                // {2BE4D121-6F2E-4B3A-B0BD-E880917238DC}
EXTERN_C const IID IID_IMCDecoderOutput;                 // {2BE4D141-6F2E-4B3A-B0BD-E880917238DC}
EXTERN_C const IID IID_IMCDecoderParams;                 // {2BE4D142-6F2E-4B3A-B0BD-E880917238DC}
// H.264 encoder and decoder.
EXTERN_C const CLSID CLSID_MCH264VideoDecoder;           // {7C0D0340-71D5-4E7E-A77F-2059A2E5AF57}
EXTERN_C const CLSID CLSID_MCH264Encoder;                // {7C0D0350-71D5-4E7E-A77F-2059A2E5AF57}
EXTERN_C const IID IID_IMCH264DecoderControl;            // {7C0D0341-71D5-4E7E-A77F-2059A2E5AF57}
EXTERN_C const IID IID_IMCH264Settings;                  // {7C0D0351-71D5-4E7E-A77F-2059A2E5AF57}
EXTERN_C const IID IID_IMCH264Params;                    // {7C0D0354-71D5-4E7E-A77F-2059A2E5AF57}
// The maker's MPEG record chain, still capture, down-scaler and time shift.
EXTERN_C const CLSID CLSID_IVIAudioEncoder;              // {55F19296-06C0-4A21-8DEF-597425440063}
EXTERN_C const CLSID CLSID_IVIVideoEncoder;              // {31864FE3-A10C-45AF-B723-E5E4905FB6A7}
EXTERN_C const CLSID CLSID_IVIFileWriter;                // {A5258D74-8ED8-4606-8768-DC5360E5FC8E}
EXTERN_C const CLSID CLSID_IVIMultiplexer;               // {31FDD5E8-68AD-4D29-A2A5-A4290C3721A1}
EXTERN_C const CLSID CLSID_IVIStillCapture;              // {14DCDA2E-E2AC-498C-A6CF-B594332F9AB7}
EXTERN_C const CLSID CLSID_IVIDownScale;                 // {89E60B61-B893-4EEC-86E1-A231F0E15CC0}
EXTERN_C const CLSID CLSID_IVIVideoDecoder;              // {0246CA20-776D-11D2-8010-00104B9B8592}
EXTERN_C const CLSID CLSID_IVITimeShift;                 // {113BAC79-BF89-4693-8B66-39212CA6568B}
EXTERN_C const IID IID_IIVIAudioEncParams;               // {0CD2E142-8D60-11D3-9C32-00104B3801F6}
EXTERN_C const IID IID_IIVIVideoEncParams;               // {317DDB63-870E-11D3-9C32-00104B3801F6}
EXTERN_C const IID IID_IIVIMuxParams;                    // {317DDB64-870E-11D3-9C32-00104B3801F7}
EXTERN_C const IID IID_IIVIStillCapParams;               // {B4ABF4A0-01BA-11D4-898C-00A0CC5211EF}
EXTERN_C const IID IID_IIVIWriterParams;                 // {173DAD40-A0D3-43E2-B1D5-2E4625D7F1F0}
EXTERN_C const IID IID_IIVIDownScaleParams;              // {50359D21-EB57-4980-922F-B197311017AA}
EXTERN_C const IID IID_IIVITimeShiftControl;             // {BD7EA3E2-2666-11D4-B269-00A0D21825FB}
// Capture encoder and transcoder.
EXTERN_C const CLSID CLSID_LigosEncoder;                 // {D3E07D43-E73C-4476-BE94-637C6753CF23}
EXTERN_C const CLSID CLSID_LigosTranscoder;              // {FF12DF2D-9702-4438-9B45-F64D191DCE69}
EXTERN_C const IID IID_ILigosEncControl;                 // {55A4D441-6429-11D5-8737-0010A4E9FF94}
EXTERN_C const IID IID_ILigosTransControl;               // {FF12DF30-9702-4438-9B45-F64D191DCE69}
EXTERN_C const IID IID_ILigosTransPosition;              // {3A75AC56-95CA-4CA2-B96A-A84C4F3E0866}

// Kernel-streaming property set of the CX23882 encoder cards' driver; its
// requests have the layout of the common set (hw/access/CommonPropertySet.h).
EXTERN_C const GUID KSPROPSETID_Cx23882;            // {B9433C39-8511-4660-A2ED-E0911456DF74}

// Kernel-streaming property sets of the Raptor encoder cards' driver: I2C
// records, chip registers and bulk buffers; one control value; one status
// value (hw/access/RaptorWire.h).
EXTERN_C const GUID KSPROPSETID_RaptorI2C;          // {16017E0E-CE9F-44B0-A203-05D05724A12B}
EXTERN_C const GUID KSPROPSETID_RaptorControl;      // {0A7AF963-6805-4F99-B284-29B680975542}
EXTERN_C const GUID KSPROPSETID_RaptorStatus;       // {ACBFD244-0962-4FBC-B855-2F2BD80D5083}
// The USB encoder boxes' driver: its encoder property set (settings, the
// tunnelled I2C), its firmware upload set, and the interface of its second
// filter that reports the storage capacity (hw/access/EncoderBoxWire.h).
EXTERN_C const GUID KSPROPSETID_EncoderBox;         // {D2185A40-0398-11D3-A53E-00A0C9EF506A}
EXTERN_C const GUID KSPROPSETID_EncoderBoxUpload;   // {EE6C0342-E3A9-11D2-A53E-00A0C9EF506A}
EXTERN_C const IID IID_IEncoderStorage;             // {43705740-5EF5-11D2-BE8A-001061B07491}
// Device interface class of the PCI Express card's driver.
EXTERN_C const GUID GUID_DEVINTERFACE_PcieCard;     // {4F397D29-7F2F-42A9-AB90-1791384014C4}

// Filters the wrappers of graph/wrappers make by class id, and the private
// interfaces of the helper filters they drive; defined in Guids.cpp.
EXTERN_C const CLSID CLSID_DumpFilter;             // {36A5F770-FE4C-11CE-A8ED-00AA002FEAB5}
EXTERN_C const CLSID CLSID_DeinterlaceFilter;      // {C5683497-12D5-4ED1-BF8D-E53B349B0981}
EXTERN_C const CLSID CLSID_SnapPictureFilter;      // {CCEE5929-126A-4AF0-8535-8FA02225C4A6}
EXTERN_C const CLSID CLSID_AVSwitchFilter;         // {15D81FE9-49E4-436B-A52E-7274E3EB4140}
EXTERN_C const CLSID CLSID_TimeDelayFilter;        // {0410FD12-9320-48B2-9EC5-0FB976127A4B}
EXTERN_C const CLSID CLSID_TimeShiftFilter;        // {C234F3EE-E66E-4519-8339-C99EFAD354E0}
EXTERN_C const CLSID CLSID_ColorConvertFilter;     // {32EDFAC2-2540-11D6-919F-00A0CCA0F7C6}
EXTERN_C const CLSID CLSID_EmpAudioCompanion;      // {EAD744C9-6FF4-45D9-A111-4A235F616D2E}
// A file writer whose input takes a multiplexer's IStream writes, in the
// stand-ins of the test and run prefixes (Wine's writer has no IStream).
EXTERN_C const CLSID CLSID_StreamWriterStandin;    // {7B1E2D64-3C5A-4F08-9D27-61E4A8B0C953}, our choice
EXTERN_C const IID IID_IDeinterlaceControl;        // {4C19BD79-BD2D-4798-857D-3A5F463A54E3}, our choice
EXTERN_C const IID IID_IAVSwitchControl;           // {4FCEB431-3587-42BD-926E-11989D7DFAE9}, our choice
EXTERN_C const IID IID_ISnapPictureControl;        // {8CDD8EAE-ECCF-49E2-9E4F-869CE96C42C6}
EXTERN_C const IID IID_ITimeShiftControl;          // {FD5010A2-8EBE-11CE-8183-00AA00577DA1}
EXTERN_C const IID IID_IColorConvertControl;       // {C9A9614D-FDA4-4D0D-82C6-89154F92A3F8}
EXTERN_C const IID IID_IEmpAudioCompanion;         // {AA63F0E8-BB2C-47DF-A7DA-2511C7C812A0}

// The WIS encoder box's capture filter: its private register and I2C
// interface, its encoder interface (capability table, board descriptor) and
// the encoder's settings interface reached from it.
EXTERN_C const IID IID_IWisePrivate;                // {6420803D-D8BA-43D2-BD4A-109BA16C2E32}
EXTERN_C const IID IID_IWiseEncoder;                // {55F1E004-76CD-412E-9413-68AF75304D73}
EXTERN_C const IID IID_IWiseEncoderSettings;        // {E4557E5C-BB64-4186-905E-8FC119DBA5E2}

// The Empia USB bridge driver's control interface on its capture filter
// (hw/access/Em28xxDevice.h).
EXTERN_C const IID IID_IEm28xxControl;              // {BE0AB5D2-3B9A-4E42-A05E-4A178B566C7C}

// Core Audio: declared by mmdeviceapi.h, devicetopology.h and
// functiondiscoverykeys_devpkey.h, but their values are in no import library.
EXTERN_C const CLSID CLSID_MMDeviceEnumerator;     // {BCDE0395-E52F-467C-8E3D-C4579291692E}
EXTERN_C const IID IID_IMMDeviceEnumerator;        // {A95664D2-9614-4F35-A746-DE8DB63617E6}
EXTERN_C const IID IID_IDeviceTopology;            // {2A07407E-6497-4A18-9787-32F79BD0D98F}
EXTERN_C const IID IID_IPart;                      // {AE2DE0E4-5BCA-4F2D-AA46-5D13F8FDB3A9}
EXTERN_C const IID IID_IAudioVolumeLevel;          // {7FB7B48F-531D-44A2-BCB3-5AD5A134B3DC}
EXTERN_C const IID IID_IAudioMute;                 // {DF45AEEA-B74A-4B6B-AFAD-2366B6AA012E}
// The endpoint's name in its property store.
EXTERN_C const PROPERTYKEY PKEY_Device_FriendlyName;  // {A45C254E-DF1C-4EFD-8020-67D146A850E0}, 14
