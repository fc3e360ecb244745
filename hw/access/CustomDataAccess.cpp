#include "hw/access/CustomDataAccess.h"

CCustomDataAccess::CCustomDataAccess()
{
    InitializeCriticalSection(&m_lock);
}

CCustomDataAccess::~CCustomDataAccess()
{
    DeleteCriticalSection(&m_lock);
}

HRESULT CCustomDataAccess::ReadGPIOMode(DWORD, DWORD*) { return E_FAIL; }

HRESULT CCustomDataAccess::WriteGPIODelayed(DWORD value, DWORD mask, DWORD)
{
    return WriteGPIO(value, mask);
}

HRESULT CCustomDataAccess::ReadGPIOState(DWORD* value) { return ReadGPIO(value); }
HRESULT CCustomDataAccess::SetProperty7(DWORD) { return S_OK; }
HRESULT CCustomDataAccess::SetProperty8(DWORD) { return S_OK; }
HRESULT CCustomDataAccess::SetProperty9() { return S_OK; }
HRESULT CCustomDataAccess::SetProperty10(DWORD) { return S_OK; }
HRESULT CCustomDataAccess::SetTunerReset(LONG) { return S_OK; }
HRESULT CCustomDataAccess::WriteRegisterByte(DWORD, BYTE) { return E_FAIL; }
HRESULT CCustomDataAccess::ReadRegisterByte(DWORD, BYTE*) { return E_FAIL; }
HRESULT CCustomDataAccess::SetGPIOLine(DWORD) { return S_OK; }
HRESULT CCustomDataAccess::ReadRegister(DWORD, DWORD*) { return E_FAIL; }
HRESULT CCustomDataAccess::WriteRegister(DWORD, DWORD) { return E_FAIL; }
HRESULT CCustomDataAccess::GPIO_GetAuxInput(DWORD*) { return E_FAIL; }
HRESULT CCustomDataAccess::GPIO_SetAudioRoute(LONG) { return E_FAIL; }
HRESULT CCustomDataAccess::GPIO_GetAudioRoute(DWORD*) { return E_FAIL; }

HRESULT CCustomDataAccess::GPIO_SetTVFM(DWORD)
{
    // A card family without a TV/FM switch was asked to switch: the user is
    // told, as the maker's program does.
    MessageBoxA(NULL, "CCustomDataAccess::GPIO_SetTVFM", NULL, MB_OK);
    return E_FAIL;
}

HRESULT CCustomDataAccess::GetSignalPresent(DWORD*) { return E_FAIL; }
HRESULT CCustomDataAccess::SetAuxOutput(DWORD) { return E_NOTIMPL; }
HRESULT CCustomDataAccess::ReadRemoteCode(BYTE*) { return E_FAIL; }
HRESULT CCustomDataAccess::ReadRemoteByte(BYTE*) { return E_FAIL; }
HRESULT CCustomDataAccess::ReadRemoteKey(BYTE*) { return E_FAIL; }
