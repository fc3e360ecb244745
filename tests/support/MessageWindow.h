// A message-only window that records the messages posted to it, for tests of
// worker threads that post to the engine's window. Create and pump it on the
// test's thread.
#pragma once
#include <windows.h>

#include <vector>

struct PostedMessage
{
    UINT message;
    WPARAM wParam;
    LPARAM lParam;
};

class MessageWindow
{
public:
    MessageWindow();
    ~MessageWindow();

    HWND Handle() const { return m_hWnd; }

    // Pumps this thread's messages until `message` has arrived `count` times
    // in all, or the time-out passes; TRUE when it arrived.
    bool WaitFor(UINT message, DWORD timeoutMs, size_t count = 1);
    // Pumps whatever is queued now, without waiting.
    void Pump();

    const std::vector<PostedMessage>& Messages() const { return m_messages; }
    std::vector<PostedMessage> MessagesOf(UINT message) const;
    size_t CountOf(UINT message) const;
    void Clear() { m_messages.clear(); }

private:
    static LRESULT CALLBACK WindowProc(HWND, UINT, WPARAM, LPARAM);
    HWND m_hWnd;
    std::vector<PostedMessage> m_messages;
};
