// Replaces the program's message box for one test: every box is recorded and
// answered with a chosen button at once. Header only; install on the test
// thread, one at a time.
#pragma once
#include "platform/mfc/MessageBox.h"

#include <functional>
#include <string>
#include <vector>

class MessageBoxCapture
{
public:
    struct Box
    {
        std::string text;
        std::string caption;
        UINT type;
    };

    explicit MessageBoxCapture(int answer = IDOK) : m_previous(AfxSetMessageBoxHook(&Hook))
    {
        Instance() = this;
        m_answer = answer;
    }
    // Each box answered by what `answer` makes of it.
    explicit MessageBoxCapture(std::function<int(const Box&)> answer)
        : m_previous(AfxSetMessageBoxHook(&Hook)), m_answerFor(std::move(answer))
    {
        Instance() = this;
    }
    ~MessageBoxCapture()
    {
        AfxSetMessageBoxHook(m_previous);
        Instance() = nullptr;
    }
    MessageBoxCapture(const MessageBoxCapture&) = delete;
    MessageBoxCapture& operator=(const MessageBoxCapture&) = delete;

    const std::vector<Box>& Boxes() const { return m_boxes; }

private:
    static MessageBoxCapture*& Instance()
    {
        static MessageBoxCapture* instance = nullptr;
        return instance;
    }
    static int Hook(HWND, LPCSTR text, LPCSTR caption, UINT type)
    {
        MessageBoxCapture* self = Instance();
        self->m_boxes.push_back(Box{text, caption, type});
        return self->m_answerFor ? self->m_answerFor(self->m_boxes.back()) : self->m_answer;
    }

    AfxMessageBoxHook m_previous;
    int m_answer = IDOK;
    std::function<int(const Box&)> m_answerFor;
    std::vector<Box> m_boxes;
};
