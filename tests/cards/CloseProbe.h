// Which class of a card was being destroyed when the card closed. A probe
// tuner put in place of the card's own notes it when the card deletes it;
// meanwhile the probe runs a search and the card polls its remote, both
// calling into the card as they do in the program. A card class that
// closes the card in its own destructor is the answer itself.
#pragma once
#include "cards/TVCardFilter.h"

#include <memory>
#include <typeinfo>

class CloseProbeTuner : public CTVTuner
{
public:
    CloseProbeTuner(CCustomDataAccess* access, const std::type_info** closedBy)
        : CTVTuner(access), m_closedBy(closedBy) {}
    ~CloseProbeTuner() override
    {
        EndSearches();
        CTVCardFilter* card = dynamic_cast<CTVCardFilter*>(m_pCard);
        *m_closedBy = card ? &typeid(*card) : nullptr;
    }

private:
    const std::type_info** m_closedBy;
};

// Destroys an open card while its remote polls (every millisecond, keys to
// `window`) and a search of the probe runs: a sweep, which pauses polling,
// or a table search beside it. NULL when the probe could not be put in.
inline const std::type_info* ClassThatClosed(std::unique_ptr<CTVCardFilter> card, HWND window,
                                             bool sweep)
{
    const std::type_info* closedBy = nullptr;
    CloseProbeTuner* probe = new CloseProbeTuner(card->GetAccess(), &closedBy);
    if (!card->ReplaceTuner(probe))
        return nullptr;
    card->m_hNotifyWnd = window;
    probe->SetNotifyWindow(window);
    card->SetRemoteInterval(1);
    card->StartRemote();
    probe->StartSearch(TRUE, sweep ? TRUE : FALSE);
    card.reset();
    return closedBy;
}
