#include "platform/standins/JpegFile.h"

#include "graph/BitmapFile.h"
#include "graph/ComPtr.h"

#include <objbase.h>
#include <oleauto.h>
#include <wincodec.h>

#include <string>
#include <vector>

namespace standins {

namespace {

// The caller's apartment when it has one; otherwise one for this call.
class ComForCall
{
public:
    ComForCall() : m_hr(CoInitializeEx(NULL, COINIT_MULTITHREADED)) {}
    ~ComForCall()
    {
        if (SUCCEEDED(m_hr))
            CoUninitialize();
    }

private:
    HRESULT m_hr;
};

std::wstring Widen(const char* text)
{
    const int count = MultiByteToWideChar(CP_ACP, 0, text, -1, NULL, 0);
    if (count <= 0)
        return std::wstring();
    std::wstring wide(static_cast<size_t>(count), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text, -1, &wide[0], count);
    wide.resize(static_cast<size_t>(count - 1));
    return wide;
}

// The encoder takes rows top-down; a bitmap keeps them bottom-up.
std::vector<BYTE> TopDownRows(const BITMAPINFOHEADER& header, const BYTE* bits, size_t stride)
{
    const LONG height = header.biHeight < 0 ? -header.biHeight : header.biHeight;
    std::vector<BYTE> rows(stride * static_cast<size_t>(height));
    for (LONG y = 0; y < height; ++y) {
        const LONG from = header.biHeight > 0 ? height - 1 - y : y;
        memcpy(&rows[stride * y], bits + stride * from, stride);
    }
    return rows;
}

HRESULT Encode(const wchar_t* file, const BITMAPINFOHEADER& header, const std::vector<BYTE>& rows,
               UINT stride, int quality)
{
    ComPtr<IWICImagingFactory> factory;
    HRESULT hr = CoCreateInstance(CLSID_WICImagingFactory, NULL, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                  factory.ReceiveVoid());
    if (FAILED(hr))
        return hr;
    ComPtr<IWICStream> stream;
    hr = factory->CreateStream(&stream);
    if (SUCCEEDED(hr))
        hr = stream->InitializeFromFilename(file, GENERIC_WRITE);
    ComPtr<IWICBitmapEncoder> encoder;
    if (SUCCEEDED(hr))
        hr = factory->CreateEncoder(GUID_ContainerFormatJpeg, NULL, &encoder);
    if (SUCCEEDED(hr))
        hr = encoder->Initialize(stream.Get(), WICBitmapEncoderNoCache);
    ComPtr<IWICBitmapFrameEncode> frame;
    ComPtr<IPropertyBag2> options;
    if (SUCCEEDED(hr))
        hr = encoder->CreateNewFrame(&frame, &options);
    if (SUCCEEDED(hr)) {
        // The encoder's quality option is a fraction of full quality.
        PROPBAG2 option = {};
        option.pstrName = const_cast<LPOLESTR>(L"ImageQuality");
        VARIANT value;
        VariantInit(&value);
        value.vt = VT_R4;
        value.fltVal = static_cast<float>(quality) / 100.0f;
        hr = options->Write(1, &option, &value);
    }
    if (SUCCEEDED(hr))
        hr = frame->Initialize(options.Get());
    const UINT width = static_cast<UINT>(header.biWidth);
    const UINT height = static_cast<UINT>(header.biHeight < 0 ? -header.biHeight : header.biHeight);
    if (SUCCEEDED(hr))
        hr = frame->SetSize(width, height);
    WICPixelFormatGUID format = GUID_WICPixelFormat24bppBGR;
    if (SUCCEEDED(hr))
        hr = frame->SetPixelFormat(&format);
    // A frame that would need converting is not one we can hand over.
    if (SUCCEEDED(hr) && format != GUID_WICPixelFormat24bppBGR)
        hr = WINCODEC_ERR_UNSUPPORTEDPIXELFORMAT;
    if (SUCCEEDED(hr))
        hr = frame->WritePixels(height, stride, static_cast<UINT>(rows.size()), const_cast<BYTE*>(rows.data()));
    if (SUCCEEDED(hr))
        hr = frame->Commit();
    if (SUCCEEDED(hr))
        hr = encoder->Commit();
    return hr;
}

} // namespace

BOOL SaveJpegFile(const char* path, const BITMAPINFOHEADER& header, const void* bits, size_t size,
                  int quality)
{
    const size_t image = zunk::BitmapImageSize(header);
    if (!path || !*path || !bits || header.biBitCount != 24 || image == 0 || size < image || quality < 0 ||
        quality > 100)
        return FALSE;
    const std::string temp = std::string(path) + ".tmp";
    const std::wstring wideTemp = Widen(temp.c_str());
    if (wideTemp.empty())
        return FALSE;
    const size_t stride = image / static_cast<size_t>(header.biHeight < 0 ? -header.biHeight : header.biHeight);
    const std::vector<BYTE> rows = TopDownRows(header, static_cast<const BYTE*>(bits), stride);
    HRESULT hr;
    {
        ComForCall com;
        hr = Encode(wideTemp.c_str(), header, rows, static_cast<UINT>(stride), quality);
    }
    // The stream is closed once the encoder and its stream are gone.
    if (FAILED(hr) || !MoveFileExA(temp.c_str(), path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        DeleteFileA(temp.c_str());
        return FALSE;
    }
    return TRUE;
}

} // namespace standins
