#include "settings/AccelOb.h"

#include "settings/Accel.h"

void CAccelOb::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        ar << m_fVirt << m_key << m_cmd << m_extra;
    else
        ar >> m_fVirt >> m_key >> m_cmd >> m_extra;
}

CString CAccelOb::GetKeyText() const
{
    return CAccel::GetKeyText(m_fVirt, m_key);
}
