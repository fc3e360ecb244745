#include "tests/support/FakeWisePrivate.h"

#include "graph/Guids.h"

namespace {

HRESULT Acked(bool ack)
{
    return ack ? S_OK : E_FAIL;
}

} // namespace

STDMETHODIMP FakeWisePrivate::QueryInterface(REFIID riid, void** ppv)
{
    using Row = ComInterface<FakeWisePrivate>;
    static constexpr Row kRows[] = {
        Row::Via<IWisePrivate>(IID_IUnknown),
        Row::Via<IWisePrivate>(IID_IWisePrivate),
    };
    return QueryInterfaceTable(this, kRows, riid, ppv);
}

STDMETHODIMP FakeWisePrivate::WriteRegister(DWORD device, DWORD width, DWORD sub, DWORD value, DWORD flags)
{
    m_calls.push_back({7, {device, width, sub, value, flags}, {}});
    const BYTE address = (BYTE)(device & 0xFE);
    if (width == 16) {
        const BYTE message[] = {(BYTE)(sub >> 8), (BYTE)sub, (BYTE)value};
        return Acked(m_card->I2CWrite(address, message, sizeof(message)));
    }
    return Acked(m_card->I2CWriteByte(address, (BYTE)sub, (BYTE)value));
}

STDMETHODIMP FakeWisePrivate::ReadRegister(DWORD device, DWORD width, DWORD sub, BYTE* value, DWORD flags)
{
    m_calls.push_back({8, {device, width, sub, flags}, {}});
    if (!value)
        return E_POINTER;
    const BYTE address = (BYTE)(device & 0xFE);
    if ((device & 1) && sub == 0)
        return Acked(m_card->I2CRead(address, value, 1));
    if (width == 16) {
        const BYTE message[] = {(BYTE)(sub >> 8), (BYTE)sub};
        return Acked(m_card->I2CWrite(address, message, sizeof(message)) && m_card->I2CRead(address, value, 1));
    }
    return Acked(m_card->I2CReadByte(address, (BYTE)sub, value));
}

STDMETHODIMP FakeWisePrivate::WriteBlock(DWORD device, DWORD width, DWORD sub, DWORD count, const BYTE* bytes,
                                         DWORD flags)
{
    m_calls.push_back({9, {device, width, sub, count, flags}, std::vector<BYTE>(bytes, bytes + count)});
    return Acked(m_card->I2CWrite((BYTE)(device & 0xFE), bytes, count));
}

STDMETHODIMP FakeWisePrivate::Request(DWORD kind, WisePrivateRecord* record, DWORD count, WiseValuePair* pair,
                                      DWORD size)
{
    const BYTE* raw = reinterpret_cast<const BYTE*>(record);
    m_calls.push_back(
        {15, {kind, count, pair->value, pair->flags, size}, std::vector<BYTE>(raw, raw + sizeof(*record))});
    if (kind != 2 || count != 1)
        return E_INVALIDARG;
    return Acked(m_card->I2CWriteByte((BYTE)(record->device & 0xFE), (BYTE)record->sub, (BYTE)pair->value));
}
