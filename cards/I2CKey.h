// Remote-control receivers on the I2C bus: one register reads 1 while a
// key waits, the next holds the key. One reader for every such receiver;
// each is an I2CKeyWiring row. Called on the remote-control thread under
// the card's "Mutex_Remote_Control".
#pragma once
#include "hw/access/CustomDataAccess.h"

struct I2CKeyWiring
{
    BYTE address;         // the receiver's bus address
    BYTE waitingRegister; // reads 1 while a key waits
    BYTE keyRegister;
    bool takeWaiting;     // the waiting flag is written back to 0, and the
                          // receiver given 10 ms, before the key is read
};

// The USB request tunnel's cards (Trident, Fenmo): 0xBB, registers 0x30, 0x31.
extern const I2CKeyWiring kI2CKeyTunnelWiring;
// The Empia USB boxes: 0x60, registers 48, 49.
extern const I2CKeyWiring kI2CKeyUsbBoxWiring;
// The Corvane box on the Empia bridge: 0xBB, the flag taken first.
extern const I2CKeyWiring kI2CKeyCorvaneWiring;
// The Raptor encoder card: 0xBA, registers 0xAA, 0xAB.
extern const I2CKeyWiring kI2CKeyRaptorWiring;

// FALSE when no key waits or a read fails.
BOOL ReadI2CKey(CCustomDataAccess* access, const I2CKeyWiring& wiring, BYTE* key);
