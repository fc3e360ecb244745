// CEm28xxDevice: the Empia USB bridge as its driver presents it - a control
// interface on the box's video capture filter, found by the filter's
// friendly name. Every chip operation is a pair of calls on it: one selects
// a bridge register, an I2C transaction or a driver control, the next moves
// the data. Owned by CEm2800Access (which serialises it) or, for the length
// of one call, by a crossbar of the USB boxes; not locked itself. Caller's
// apartment.
#pragma once
#include <windows.h>
#include <strmif.h>

#include "graph/ComPtr.h"

// The driver's control interface (IID_IEm28xxControl). Slot 3 is never
// called; Set and Get move one property, whose size the select before it
// (or the property itself) fixes.
struct IEm28xxControl : public IUnknown
{
    virtual HRESULT STDMETHODCALLTYPE Reserved3() = 0;
    virtual HRESULT STDMETHODCALLTYPE Set(ULONG id, void* data) = 0;
    virtual HRESULT STDMETHODCALLTYPE Get(ULONG id, void* data) = 0;
};

// Property ids of the control interface.
enum Em28xxProperty : ULONG
{
    EM28XX_SELECT_REGISTER = 4101,  // u32 (register << 8) | byte count
    EM28XX_REGISTER_DATA = 4102,    // the register bytes
    EM28XX_SELECT_I2C = 4103,       // u32 transaction index (Em28xxI2CIndex)
    EM28XX_I2C_DATA = 4104,         // the bytes of the transaction
    EM28XX_SELECT_CONTROL = 4107,   // u32 control number
    EM28XX_CONTROL_VALUE = 4115,    // u32
    EM28XX_CONTROL_VALID = 4116,    // u32, 0: the control is not available
    EM28XX_SIGNAL_PRESENT = 4121,   // u32, non-zero: a video signal is present
};

// Select index of an I2C transaction of `count` bytes with device `address`,
// with an 8-bit sub-address or without one.
inline DWORD Em28xxI2CIndex(BYTE address, BYTE count)
{
    return (static_cast<DWORD>(address) << 16) | count;
}
inline DWORD Em28xxI2CIndex(BYTE address, BYTE sub, BYTE count)
{
    return 0x01000000u | (static_cast<DWORD>(address) << 16) | (static_cast<DWORD>(sub) << 8) | count;
}

// Bridge registers.
enum Em28xxRegister : BYTE
{
    EM28XX_GPIO_OUTPUT = 8,
    EM28XX_GPIO_INPUT = 9,
    EM28XX_CONTROL = 12,       // bit 5 is cleared on request
    EM28XX_INDEX_DATA = 64,    // 64-65: the indexed word
    EM28XX_INDEX = 66,         // bit 7 set: read the word at the index
    EM28XX_INDEX_BUSY = 67,    // bit 0 set while the bridge moves the word
};

// Results of the device operations: 0 success, else one of these or the
// failing HRESULT of the interface (a success code other than S_OK counts
// as a failure too). Never test them with SUCCEEDED: the codes are positive.
enum Em28xxResult : LONG
{
    EM28XX_OK = 0,
    EM28XX_REFUSED = 5,      // a GPIO keep-mask bit missing, or the index stayed busy
    EM28XX_NOT_OPEN = 6,
    EM28XX_NO_CONTROL = 21,  // the driver does not offer that control
};

class CEm28xxDevice
{
public:
    // Reads of the indexed word's busy flag before the bridge counts as hung.
    static const int kIndexBusyPolls = 2000;
    // The names looked for, in this order, when the one asked for is absent.
    static const char* const kBuiltInNames[12];

    CEm28xxDevice();
    ~CEm28xxDevice();

    // Binds the first video input device whose friendly name begins with
    // `name` (or, when none does, with the first built-in name present) and
    // takes its control interface; the filter itself is let go. The
    // interface, or NULL (also when the device found has no such
    // interface). An interface already held is released first.
    IEm28xxControl* Open(const char* name);
    // Open with the name the driver's registry keys give (TwainName).
    IEm28xxControl* OpenDefault();
    // Whether Open(name) would succeed; what is held now stays held.
    BOOL Probe(const char* name);
    void Close();
    BOOL IsOpen() const { return m_control ? TRUE : FALSE; }
    HRESULT GetLastResult() const { return m_hrLast; }

    // Bridge registers: `count` bytes from `reg` on.
    LONG ReadRegister(BYTE reg, BYTE count, void* data);
    LONG WriteRegister(BYTE reg, BYTE count, const void* data);
    // The bridge's indexed words (registers 64-67).
    LONG ReadIndexedWord(BYTE index, WORD* value);
    LONG WriteIndexedWord(BYTE index, const WORD* value);

    // GPIO: the bits of the keep mask must stay set in every write (they
    // hold the box's own lines); SetGpioKeepMask sets them at once.
    LONG SetGpioKeepMask(BYTE mask);
    LONG ReadGPIO(BYTE* value);
    LONG WriteGPIO(const BYTE* value);
    // Clears bit 5 of register 12 when it is set; TRUE only then.
    BOOL ClearControlBit5();
    BOOL IsSignalPresent();

    // Driver properties by id, and the numbered controls behind them.
    LONG GetControlValue(DWORD id, void* data);
    LONG SetControlValue(DWORD id, void* data);
    LONG ReadControl(DWORD control, DWORD* value);

    // I2C transactions of 1-255 bytes, with an 8-bit sub-address or none.
    LONG ReadI2C(BYTE address, BYTE sub, BYTE count, void* data);
    LONG WriteI2C(BYTE address, BYTE sub, BYTE count, const void* data);
    LONG ReadI2CNoSub(BYTE address, BYTE count, void* data);
    LONG WriteI2CNoSub(BYTE address, BYTE count, const void* data);

    // The box's sound: its audio capture filter (the audio device named in
    // the driver's registry keys), the second filter of that name in the
    // same category, and the wave-out renderer. FALSE, with none of the
    // three held, when one is missing.
    BOOL OpenAudio();
    void CloseAudio();
    BOOL IsAudioOpen() const { return m_audioCapture ? TRUE : FALSE; }
    // The audio capture filter's property pages in a frame owned by `parent`.
    HRESULT ShowAudioPropertyPages(HWND parent);

    // The driver's registry keys (HKLM "Software\USB2800"), with their
    // defaults when a key or value is missing or unreadable.
    static void ReadTwainName(char* name, size_t size);
    static void ReadAudioName(char* name, size_t size);

private:
    // Select `index` with `selectId`, then move the data with `dataId`; a
    // failure clears the selection again.
    LONG Transfer(ULONG selectId, DWORD index, ULONG dataId, void* data, bool read);
    LONG PollIndexIdle();

    ComPtr<IEm28xxControl> m_control;
    ComPtr<IBaseFilter> m_audioCapture;
    ComPtr<IBaseFilter> m_audioSecond;
    ComPtr<IBaseFilter> m_audioRenderer;
    BYTE m_gpioKeepMask;
    HRESULT m_hrLast;

    CEm28xxDevice(const CEm28xxDevice&) = delete;
    CEm28xxDevice& operator=(const CEm28xxDevice&) = delete;
};
