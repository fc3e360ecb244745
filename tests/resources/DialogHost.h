// Makes windows from the dialog templates of a resource library, as the
// program's dialogs will be made, for tests and for the template viewer:
// the common controls registered, owner-drawn lists measured, pages placed
// in a parent frame. Test thread only.
#pragma once
#include "ResourceLibrary.h"

#include <windows.h>

// Registers every common control class the templates use.
void InitTemplateControls();

// True for a template of a settings-sheet page (a child window).
bool IsPageTemplate(const DialogTemplate& t);

// A window made from the template `id`: a page becomes a child of a frame
// window made for it (destroyed with the page); everything else a pop-up.
// Hidden unless the template says otherwise. NULL when creation fails.
class TemplateWindow
{
public:
    TemplateWindow(const ResourceLibrary& library, unsigned id);
    ~TemplateWindow();
    TemplateWindow(const TemplateWindow&) = delete;
    TemplateWindow& operator=(const TemplateWindow&) = delete;

    HWND Dialog() const { return m_dialog; }
    // The window to show and capture: the frame of a page, else the dialog.
    HWND TopLevel() const { return m_frame ? m_frame : m_dialog; }

private:
    HWND m_frame = NULL;
    HWND m_dialog = NULL;
};

// Runs the thread's messages for a while, so windows paint.
void PumpMessages(DWORD milliseconds);
