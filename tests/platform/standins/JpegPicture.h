// A JPEG file read back through the system's imaging component, as a
// viewer would: its size and its pixels, top-down, blue-green-red. Header
// only (the program tests read snapshots with it too); test thread, COM
// initialised.
#pragma once
#include "graph/ComPtr.h"

#include <windows.h>
#include <wincodec.h>

#include <string>
#include <vector>

struct JpegPicture
{
    UINT width = 0, height = 0;
    std::vector<BYTE> pixels;
    const BYTE* At(UINT x, UINT y) const { return pixels.data() + (static_cast<size_t>(y) * width + x) * 3; }
};

inline bool ReadJpegPicture(const std::string& path, JpegPicture* out)
{
    ComPtr<IWICImagingFactory> factory;
    if (FAILED(CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                factory.ReceiveVoid())))
        return false;
    const std::wstring wide(path.begin(), path.end());
    ComPtr<IWICBitmapDecoder> decoder;
    ComPtr<IWICBitmapFrameDecode> frame;
    ComPtr<IWICFormatConverter> converter;
    GUID container = {};
    if (FAILED(factory->CreateDecoderFromFilename(wide.c_str(), NULL, GENERIC_READ, WICDecodeMetadataCacheOnDemand,
                                                  &decoder)) ||
        FAILED(decoder->GetContainerFormat(&container)) || container != GUID_ContainerFormatJpeg ||
        FAILED(decoder->GetFrame(0, &frame)) || FAILED(frame->GetSize(&out->width, &out->height)) ||
        FAILED(factory->CreateFormatConverter(&converter)) ||
        FAILED(converter->Initialize(frame.Get(), GUID_WICPixelFormat24bppBGR, WICBitmapDitherTypeNone, NULL, 0.0,
                                     WICBitmapPaletteTypeCustom)))
        return false;
    out->pixels.resize(static_cast<size_t>(out->width) * out->height * 3);
    return SUCCEEDED(converter->CopyPixels(NULL, out->width * 3, static_cast<UINT>(out->pixels.size()),
                                           out->pixels.data()));
}
