// The Empia bridge driver's capture filter over the simulated card: its
// control interface (IEm28xxControl) decodes each select and data call into
// the card's I2C bus and GPIO port, and keeps the bridge's own registers,
// indexed words and driver controls. Bridge register 8 is the card's GPIO
// outputs (bits 0-7), register 9 its pin levels. Records every call;
// failures and an index that stays busy can be arranged. Served to the
// device look-up by a TestClassObject; tests own it on the stack; any
// thread.
#pragma once
#include "hw/access/Em28xxDevice.h"
#include "tests/support/FailureSchedule.h"
#include "tests/support/FakeFilterBase.h"
#include "platform/virtualcard/model/CardModel.h"

#include <map>
#include <mutex>
#include <vector>

class FakeEm28xxBridge : public FakeFilterBase, public IEm28xxControl
{
public:
    explicit FakeEm28xxBridge(virtualcard::CardModel* card);

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override
    {
        return FakeFilterBase::QueryInterface(riid, ppv);
    }
    STDMETHODIMP_(ULONG) AddRef() override { return FakeFilterBase::AddRef(); }
    STDMETHODIMP_(ULONG) Release() override { return FakeFilterBase::Release(); }
    // IEm28xxControl
    STDMETHODIMP Reserved3() override { return E_NOTIMPL; }
    STDMETHODIMP Set(ULONG id, void* data) override;
    STDMETHODIMP Get(ULONG id, void* data) override;

    // The bridge's own registers (not 8 and 9, which are the card's GPIO).
    void SetRegister(BYTE reg, BYTE value);
    BYTE Register(BYTE reg) const;
    void SetIndexedWord(BYTE index, WORD value);
    WORD IndexedWord(BYTE index) const;
    // The index busy flag (register 67, bit 0) stays set while held.
    void HoldIndexBusy(bool held);
    int IndexBusyReads() const;
    // A numbered driver control (EM28XX_SELECT_CONTROL and after).
    void SetControl(DWORD control, DWORD value, bool valid);

    struct Call
    {
        ULONG id;
        bool set;
        DWORD value;  // the select index, or the u32 a control call carried
    };
    std::vector<Call> Calls() const;
    void ClearCalls();
    // Calls of property `id` (0: any) answer `hr` after `after` good ones,
    // `times` times (-1: for good); S_OK clears.
    void Fail(ULONG id, HRESULT hr, int after = 0, int times = -1);

protected:
    void* Extra(REFIID riid) override;

private:
    HRESULT Transfer(ULONG id, void* data, bool set);
    HRESULT MoveRegisters(BYTE* data, bool set);
    HRESULT MoveI2C(BYTE* data, bool set);
    BYTE ReadRegisterLocked(BYTE reg);
    void WriteRegisterLocked(BYTE reg, BYTE value);

    virtualcard::CardModel* m_card;  // the test's; outlives us
    mutable std::mutex m_lock;
    std::vector<Call> m_calls;
    FailureSchedule m_failures;  // key: a property id, 0 any call
    DWORD m_registerIndex = 0;
    DWORD m_i2cIndex = 0;
    DWORD m_control = 0;
    BYTE m_registers[256] = {};
    WORD m_indexed[128] = {};
    bool m_indexBusy = false;
    int m_busyReads = 0;
    struct Control
    {
        DWORD value;
        bool valid;
    };
    std::map<DWORD, Control> m_controls;
    std::map<ULONG, DWORD> m_properties;  // any other id: a u32 kept as set
};
