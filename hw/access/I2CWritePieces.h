// Multi-byte I2C writes over transports that carry only a few data bytes
// per request: a write that fits goes as one request; a longer one goes in
// pieces, each repeating the device and the first sub-address, with a pause
// after each full piece and the rest in a last request. A write whose
// length is a multiple of the piece has no empty last request. The first
// failing request ends the write with its result. One shape per transport
// (I2CWritePieces); the access classes hand in how one request is sent.
// Where a request carries the device and sub-address besides the data, a
// write of no data bytes (only setting a chip's sub-address) can be one
// request of its own (takesEmptyWrite).
#pragma once
#include <windows.h>

#include <functional>

struct I2CWritePieces
{
    LONG singleMax;      // data bytes that go as one request
    LONG pieceBytes;     // size of the pieces of a longer write; 0: refused
    DWORD piecePauseMs;  // after each full piece
    DWORD writePauseMs;  // after the whole write, once anything went out
    bool takesEmptyWrite = false;  // a count of 0 goes as one request
};

// Sends `count` data bytes through `send(data, n)`. E_INVALIDARG for a
// count below 1 (below 0 where the shape takes an empty write) or, where
// the transport has no pieces, above singleMax.
HRESULT WriteI2CInPieces(const I2CWritePieces& shape, const BYTE* data, LONG count,
                         const std::function<HRESULT(const BYTE* data, LONG count)>& send);
