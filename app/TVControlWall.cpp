// The control panel's side of the channel wall: starting it, handing the
// live picture to it and taking it back when it closes.
#include "app/TVControl.h"

#include "app/TVVideoWnd.h"
#include "app/TVWallWnd.h"
#include "engine/TVManager.h"
#include "graph/DebugHelper.h"
#include "resources/Resource.h"

void CTVControl::CreateWall()
{
    m_pWall.reset(new CTVWallWnd(m_manager));
    const CRect screen(0, 0, ::GetSystemMetrics(SM_CXSCREEN), ::GetSystemMetrics(SM_CYSCREEN));
    if (!m_pWall->Create(screen, this)) {
        DebugHelper("CTVControl: the channel wall could not be made\n");
        m_pWall.reset();
        return;
    }
    m_pWall->SetTuningMute([this]() { MuteForTuning(); });
}

void CTVControl::CmdChannelWall(UINT)
{
    ShowTVWall();
}

void CTVControl::HandVideoTo(HWND window)
{
    // The renderer changes windows on a paused graph, then runs on.
    CRootGraph& graph = m_manager.GetHardware().GetGraph();
    const BOOL running = graph.GetState() == 1;
    if (running)
        graph.Pause();
    if (FAILED(m_manager.SetVideoOwner(window)))
        DebugHelper("CTVControl: the picture could not be handed to window %p\n", (void*)window);
    m_manager.SetVideoMessageDrain(window);
    if (running)
        graph.Run();
}

void CTVControl::ShowTVWall()
{
    FinishStartup();
    if (m_pWall == NULL || m_pWall->IsRunning())
        return;
    // The wall refuses by the rule its page loads by: no channel to show.
    if (!m_pWall->Start()) {
        ShowPanelMessage(IDS_WALL_NO_CHANNEL);
        return;
    }
    ShowOsdMenu(FALSE);
    CTVVideoWnd* video = VideoWnd();
    if (video != NULL)
        video->ShowWindow(SW_HIDE);
    HandVideoTo(m_pWall->GetVideoPane());
    m_manager.GetHardware().StopRemote();
    EnableAccelerators(FALSE);
    if (video != NULL)
        video->SetCursorHiding(FALSE);
    ShowWindow(SW_HIDE);
    // Keys typed go to the wall: it is the active window.
    m_pWall->SetForegroundWindow();
    m_pWall->SetFocus();
}

void CTVControl::CloseTVWall()
{
    if (m_pWall != NULL && m_pWall->IsRunning())
        m_pWall->Close();
}

LRESULT CTVControl::OnRelayout(WPARAM, LPARAM)
{
    m_manager.GetHardware().StartRemote();
    CTVVideoWnd* video = VideoWnd();
    if (video != NULL) {
        // Shown first: Wine's renderer takes up a window it is given only
        // when that window is on the screen.
        video->ShowWindow(SW_SHOW);
        HandVideoTo(video->m_hWnd);
        CRect client;
        video->GetClientRect(&client);
        m_manager.AdjustVideoRect(client);
    }
    EnableAccelerators(TRUE);
    if (video != NULL)
        video->SetCursorHiding(TRUE);
    ShowAsWanted();
    if (video != NULL)
        video->SetForegroundWindow();
    ShowChannelText(m_manager.GetTVTable().GetCurrentChannel());
    return 0;
}
