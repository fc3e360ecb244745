#include "hw/access/EstrelBoxDataAcces.h"

#include "graph/AutoMutex.h"
#include "hw/access/EncoderBoxWire.h"
#include "hw/access/EstrelBoxAccess.h"
#include "hw/access/I2CWritePieces.h"

namespace {

// Chunks of up to 7 data bytes after the register byte, no pause.
constexpr I2CWritePieces kEstrelWrites = {7, 7, 0, 0, true};

// The transfer of one chunk by its count of data bytes: the register byte
// and the data, as that many sub-address bytes, then value bytes, each
// packed high byte first.
struct ChunkForm
{
    BYTE mode;
    BYTE subBytes;
    BYTE valueBytes;
};
const ChunkForm kChunkForms[] = {
    {0x21, 0, 1}, {0x29, 0, 2}, {0x31, 0, 3}, {0x39, 0, 4},
    {0x07, 4, 1}, {0x0F, 4, 2}, {0x17, 4, 3}, {0x1F, 4, 4},
};
static_assert(sizeof(kChunkForms) / sizeof(kChunkForms[0]) == kEstrelWrites.pieceBytes + 1,
              "a form for 0 to 7 data bytes");

DWORD PackHighFirst(const BYTE* bytes, int count)
{
    DWORD word = 0;
    for (int i = 0; i < count; i++)
        word = word << 8 | bytes[i];
    return word;
}

const int kStatusShift = 16;  // the byte read, in the status word

} // namespace

HRESULT CEstrelBoxDataAcces::ReadI2CBlock(BYTE* buffer, LONG length)
{
    // buffer[0] keeps the device unless it is all the room there is.
    return ReadCurrentByte(buffer, length, ENCBOX_I2C_STATUS, kStatusShift, length > 1 ? 1 : 0);
}

HRESULT CEstrelBoxDataAcces::WriteI2CBlock(BYTE* buffer, LONG length)
{
    if (!buffer)
        return E_POINTER;
    if (length < 2)
        return E_INVALIDARG;
    const BYTE device = buffer[0] >> 1;
    const BYTE reg = buffer[1];
    return WriteI2CInPieces(kEstrelWrites, buffer + 2, length - 2,
                            [this, device, reg](const BYTE* data, LONG count) {
                                BYTE scratch[8] = {reg};
                                for (LONG i = 0; i < count; i++)
                                    scratch[i + 1] = data[i];
                                const ChunkForm& form = kChunkForms[count];
                                return Write(device, form.mode, PackHighFirst(scratch, form.subBytes),
                                             PackHighFirst(scratch + form.subBytes, form.valueBytes));
                            });
}

HRESULT CEstrelBoxDataAcces::SetTunerReset(LONG level)
{
    CAutoMutex hold(&m_i2cLock);
    return CEstrelBoxAccess::SetTunerResetProperty(m_pTransport, level != 0) ? S_OK : E_FAIL;
}
