// MSplashWnd: a borderless pop-up that shows one bitmap centred on the
// screen while the program starts; closed by its owner, by its own timer or
// when the object goes. UI thread.
#pragma once
#include "platform/mfc/AfxWin.h"

class MSplashWnd : public CWnd
{
public:
    MSplashWnd();
    ~MSplashWnd() override;

    // Replace the bitmap; a shown window takes its size and is centred again.
    BOOL SetBitmap(UINT id);
    BOOL SetBitmapFile(LPCSTR path);
    // Nothing when the window is already shown. With `timer`, the window
    // closes itself after `milliseconds`.
    void Show(CWnd* parent, BOOL timer, UINT milliseconds);
    void Close();

protected:
    void OnPaint();
    void OnTimer(UINT_PTR id);
    DECLARE_MESSAGE_MAP()

private:
    CSize WindowSize() const;
    void FitToBitmap();

    CBitmap m_bitmap;
    UINT_PTR m_timer;
};
