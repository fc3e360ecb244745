#include "hw/access/I2CWritePieces.h"

#include "graph/Clock.h"

namespace {

HRESULT SendPieces(const I2CWritePieces& shape, const BYTE* data, LONG count,
                   const std::function<HRESULT(const BYTE* data, LONG count)>& send)
{
    if (count <= shape.singleMax)
        return send(data, count);
    HRESULT hr = S_OK;
    LONG sent = 0;
    for (; count - sent >= shape.pieceBytes; sent += shape.pieceBytes) {
        hr = send(data + sent, shape.pieceBytes);
        if (FAILED(hr))
            return hr;
        if (shape.piecePauseMs)
            zunk::Sleep(shape.piecePauseMs);
    }
    if (sent < count)
        hr = send(data + sent, count - sent);
    return hr;
}

} // namespace

HRESULT WriteI2CInPieces(const I2CWritePieces& shape, const BYTE* data, LONG count,
                         const std::function<HRESULT(const BYTE* data, LONG count)>& send)
{
    const LONG least = shape.takesEmptyWrite ? 0 : 1;
    if (count < least || (count > shape.singleMax && shape.pieceBytes < 1))
        return E_INVALIDARG;
    HRESULT hr = SendPieces(shape, data, count, send);
    if (shape.writePauseMs)
        zunk::Sleep(shape.writePauseMs);
    return hr;
}
