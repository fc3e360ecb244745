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
