// CEstrelBoxDataAcces: chip access of the Estrel encoder box. The box is
// reached as the MPEG-2 box is (CMpeg2BoxDataAccess); its block transfers
// differ: a read answers in a status word, and a write goes in chunks of up
// to seven data bytes, each repeating the register byte, with the transfer
// mode of its length. Its tuner reset is a property of its own. Owned by
// the box's card filter and shared with its tuner; UI, search and remote
// threads.
#pragma once
#include "hw/access/Mpeg2BoxDataAccess.h"

class CEstrelBoxDataAcces : public CMpeg2BoxDataAccess
{
public:
    // One byte from device buffer[0]: into buffer[1] (buffer[0] keeps the
    // device), or into buffer[0] for a length of 1.
    HRESULT ReadI2CBlock(BYTE* buffer, LONG length) override;
    // buffer[0] device, buffer[1] register, then length - 2 data bytes.
    HRESULT WriteI2CBlock(BYTE* buffer, LONG length) override;
    // level non-zero releases the tuner.
    HRESULT SetTunerReset(LONG level) override;
};
